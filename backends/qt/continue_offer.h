// 続きから on the title: a button over the foot of the title's picture that
// says what the automatic save holds, as the slot details say a slot, and
// begins the game from it when clicked (C does the same; the comforts' menu
// has it too). It never takes the keyboard's focus, so that Enter and Space
// still begin a new game as the title's message says; it goes once the game
// has begun. Made before the window is first laid out at a scale, so that it
// is scaled with the window's other widgets.
#pragma once

#include <QPushButton>

#include "backends/qt/game_session.h"
#include "backends/qt/main_window.h"

namespace velmora::qt {

class ContinueOffer : public QPushButton {
    Q_OBJECT
  public:
    // details: what the automatic save holds, a line for each part.
    ContinueOffer(MainWindow& window, GameSession& session, const QString& details);

  protected:
    // Said once as the title first shows: Orca reads the focused message's
    // name alone, never its description.
    void showEvent(QShowEvent* event) override;

  private:
    MainWindow& window_;
    QString told_;  // what the title's message tells of it
    bool said_ = false;
};

}  // namespace velmora::qt
