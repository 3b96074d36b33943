// A key of Qt, and the game's window it came to, in the words of the keys'
// table (player/player_keys.h) that the window program and the page share.
#pragma once

#include <QKeyEvent>
#include <QWidget>

#include "player/player_keys.h"

namespace velmora::qt {

keys::Press PressOf(const QKeyEvent* key);
// Qt's key for the game's (a pad's button is a key pressed), 0 for none.
int QtKeyOf(keys::Key key);
// A window of the game by its kind; any other (the comforts') is kComfort.
keys::Window WindowOf(const QWidget* window);
// The keyboard's focus is in a text box: letters are typed.
bool Typing();

}  // namespace velmora::qt
