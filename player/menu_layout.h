// The menu window laid out for as many rows as the game gives it, in the
// window program and the web page alike, by what each row is: the rows
// stand one below the other, "終了" a little lower than the step and before
// the window-move button in the Tab order; "画像処理" lies beyond the
// window's edge, where only the keyboard reaches it. Positions are in
// twips, as the window was laid out.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmora::menu {

constexpr double kButtonWidth = 2000;
constexpr double kButtonHeight = 380;

struct RowPlace {
    double left = 0;
    double top = 0;
    int tab = 0;  // where the row comes in the Tab order, from 0
};

struct Layout {
    double clientWidth = 0;
    double clientHeight = 0;
    std::vector<RowPlace> rows;  // in the order of the rows given
    int firstOfTab = 0;          // the row that comes first in the Tab order
};

Layout LayOut(const std::vector<MenuRow>& rows);

// What a screen reader says a row's button does, by what the row is (画像処理,
// beyond the window's edge, is reached by Tab alone and is said to be so).
const char* Description(MenuKind kind);

// The button's name (its object name in the window program): the design
// names the buttons by the Tab order, "Command1" and "Command2" the other
// way round.
std::string ButtonName(int tab);

}  // namespace velmora::menu
