#include "backends/qt/auto_advance.h"

#include <utility>

namespace velmora::qt {

AutoAdvance::AutoAdvance(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AutoAdvance::Press);
}

void AutoAdvance::SetEnabled(bool on) {
    enabled_ = on;
    if (!on) {
        timer_.stop();
    } else if (next_ && next_->isVisible()) {
        NextOpened(next_, appearing_);
    }
}

void AutoAdvance::SetPace(int pace) {
    SetTiming(timing::AutoAdvancePace(pace).perMessageMs,
              timing::AutoAdvancePace(pace).perCharacterMs);
}

void AutoAdvance::SetTiming(int baseMs, int perCharacterMs) {
    baseMs_ = baseMs;
    perCharacterMs_ = perCharacterMs;
}

void AutoAdvance::NextOpened(NextDialog* next, bool appearing) {
    next_ = next;
    appearing_ = appearing;
    if (enabled_ && !appearing_) timer_.start(baseMs_ + perCharacterMs_ * length_);
}

void AutoAdvance::MessageWhole() {
    if (!std::exchange(appearing_, false) || !next_ || !next_->isVisible()) return;
    NextOpened(next_, false);
}

// Only a click while a message waits on NEXT: the title click and the
// answers to other windows are what auto-advance waits for anyway.
void AutoAdvance::PlayerClicked() {
    if (!enabled_ || !next_ || !next_->isVisible()) return;
    SetEnabled(false);
    emit turnedOff();
}

// Only the NEXT window, and only while nothing (the history, the settings)
// stands above it; otherwise it waits for another turn.
void AutoAdvance::Press() {
    if (!enabled_ || !next_ || !next_->isVisible()) return;
    if (!next_->Press()) timer_.start(baseMs_);
}

}  // namespace velmora::qt
