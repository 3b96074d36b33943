// AdvanceClock: half an hour passes. Time moves only forward; the step that
// would begin Day 5 ends the playable days: the music stops and the digest
// plays instead (finale/digest.cpp), which says so first.
#include <algorithm>

#include "platform/sound.h"
#include "world/game.h"

namespace velmora {
namespace {

// Returns true when the half hour begins Day 5 or later.
bool PassHalfHour(GameState& s) {
    // Worked out in int: an edited save can hold values near the 16-bit
    // limits, and a carry resets the unit anyway.
    const int minute = s.Minute + 30;
    if (minute < 60) {
        s.Minute = static_cast<int16_t>(minute);
        return false;
    }
    s.Minute = 0;
    const int hour = s.Hour + 1;
    s.Hour = static_cast<int16_t>(hour >= 12 ? 0 : hour);
    if (hour < 12) return false;
    const int half = s.Half + 1;
    s.Half = static_cast<int16_t>(half >= 2 ? 0 : half);
    if (half < 2) return false;
    s.Day = static_cast<int16_t>(std::min(s.Day + 1, 32767));
    return s.Day >= 5;
}

}  // namespace

void AdvanceClock(Game& game) {
    if (PassHalfHour(game.state())) {
        game.sound().StopSound();
        game.PlayDigestFinale();
    }
    game.UpdateClockDisplay();
}

}  // namespace velmora
