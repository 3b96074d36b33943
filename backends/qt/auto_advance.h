// Presses NEXT for the player after a delay that grows with the message's
// length, counted from the moment the whole message shows. It never answers any other window, and a
// click of the player while a message waits turns it off.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "backends/qt/next_dialog.h"
#include "player/comfort_timing.h"

namespace velmora::qt {

class AutoAdvance : public QObject {
    Q_OBJECT
  public:
    explicit AutoAdvance(QObject* parent);

    void SetEnabled(bool on);
    bool enabled() const { return enabled_; }
    void SetPace(int pace);  // one of timing::kAutoAdvancePaces
    void SetTiming(int baseMs, int perCharacterMs);

    void MessageShown(const QString& text) { length_ = int(text.size()); }
    // The NEXT window has just been shown, its message whole or still
    // appearing: the wait counts from the moment it shows whole.
    void NextOpened(NextDialog* next, bool appearing = false);
    void MessageWhole();
    void PlayerClicked();

  signals:
    void turnedOff();

  private:
    void Press();

    QTimer timer_;
    QPointer<NextDialog> next_;
    bool enabled_ = false;
    bool appearing_ = false;  // the message NEXT waits on
    int length_ = 0;
    int baseMs_ = timing::kAutoAdvanceMs;
    int perCharacterMs_ = timing::kAutoAdvanceMsPerCharacter;
};

}  // namespace velmora::qt
