// Form3: the NEXT button the player clicks after each message.
#pragma once

#include "platform/platform.h"
#include "platform/qt/game_dialog.h"

namespace velmora::qt {

class NextDialog : public GameDialog {
    Q_OBJECT
  public:
    explicit NextDialog(QWidget* owner);

    // Returns after NEXT, or after the window system closed the dialog.
    void Wait(Twips at);
};

}  // namespace velmora::qt
