// Form3: the NEXT button the player clicks after each message. While it
// waits, the main window still takes the wheel and a click on the message
// (the player reads, scrolls back, stops auto-advance), but nothing of the
// game answers them: the game goes on only by NEXT.
#pragma once

#include <QPointer>

#include "backends/qt/game_dialog.h"
#include "platform/platform.h"

namespace velmora::qt {

class NextDialog : public GameDialog {
    Q_OBJECT
  public:
    explicit NextDialog(QWidget* owner);

    // Returns after NEXT, or after the window system closed the dialog.
    void Wait(Twips at);

    // The NEXT that waits now, if any.
    static NextDialog* Waiting();
    // Nothing the player opened (the history, the settings) stands above it.
    bool Answerable() const;
    // NEXT as the player's click presses it; false when not answerable.
    bool Press();

    // NEXT carries the message: the focus moving to it speaks the message.
    void TellScreenReader(const QString& message) override;

  private:
    void AddNext();

    QPushButton* next_ = nullptr;
    bool told_ = false;  // this button has carried a message
};

}  // namespace velmora::qt
