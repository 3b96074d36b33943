// Form3: the NEXT button the player clicks after each message. While it
// waits, the main window still takes the wheel and a click on the message
// (the player reads, scrolls back, stops auto-advance), but nothing of the
// game answers them: the game goes on only by NEXT.
//
// From one message to the next NEXT stays on the screen with the focus: a
// screen reader hears each message as it is told (Comforts), not the window
// and its button again. It goes away once the game waits on something else.
#pragma once

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "backends/qt/game_dialog.h"
#include "platform/platform.h"

namespace velmora::qt {

class NextDialog : public GameDialog {
    Q_OBJECT
  public:
    // Sent to NEXT as it begins to wait for a message, shown or already up.
    static const QEvent::Type kWaits;

    explicit NextDialog(QWidget* owner);

    // Returns after NEXT, or after the window system closed the dialog.
    void Wait(Twips at);

    // The NEXT that waits now, if any.
    static NextDialog* Waiting();
    // Nothing the player opened (the history, the settings) stands above it.
    bool Answerable() const;
    // NEXT as the player's click presses it; false when not answerable.
    bool Press();
    // NEXT, up from the message before, goes as another window opens.
    static void PutAwayIdle();
    // True while NEXT is being put away: its window's closing is the game's.
    static bool PuttingAway();
    // What a press of NEXT does first, in place of passing the message:
    // true when it did something (the message still appearing shown whole).
    static void SetFirst(std::function<bool()> first);

  signals:
    // NEXT pressed, and the message passed.
    void passed();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    QPushButton* next_ = nullptr;
    QTimer putAway_;  // once the game waits on something else
};

}  // namespace velmora::qt
