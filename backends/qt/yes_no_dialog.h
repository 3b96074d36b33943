// Form2: the two answers to the question that stands in the message label.
#pragma once

#include "backends/qt/game_dialog.h"
#include "platform/platform.h"

namespace velmora::qt {

class YesNoDialog : public GameDialog {
    Q_OBJECT
  public:
    // over: the main window, which the question stays above.
    explicit YesNoDialog(QWidget* over);

    // Shown at the given place; closing it through the window system
    // answers neither.
    YesNo Ask(Twips at);
    // The answer's button, as the player's click presses it.
    void Press(YesNo answer);

  private:
    QPushButton* yes_;
    QPushButton* no_;
};

}  // namespace velmora::qt
