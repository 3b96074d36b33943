// How long the comforts wait, in the window program and the web page alike:
// how long a notice stays, when auto-advance presses NEXT, and how fast a
// message appears.
#pragma once

#include <algorithm>

namespace velmora::timing {

// A notice stays this long; a long one as long as it takes to read.
constexpr int kNoticeMs = 1600;
constexpr int kNoticeMsPerCharacter = 80;

constexpr int NoticeMs(int characters) {
    return std::max(kNoticeMs, kNoticeMsPerCharacter * characters);
}

// Auto-advance presses NEXT a while after the message is shown, and a
// little longer for each character of it, at the pace the player chooses
// (設定), slowest first; the middle one is the game's own. It tries again
// the pace's wait after a NEXT it could not press.
struct Pace {
    int perMessageMs;
    int perCharacterMs;
};
constexpr Pace kAutoAdvancePaces[] = {{3000, 120}, {2200, 90}, {1500, 60}, {1000, 40}, {600, 20}};
constexpr int kAutoAdvancePaceCount = sizeof kAutoAdvancePaces / sizeof kAutoAdvancePaces[0];
constexpr int kDefaultAutoAdvancePace = 2;
constexpr int kAutoAdvanceMs = kAutoAdvancePaces[kDefaultAutoAdvancePace].perMessageMs;
constexpr int kAutoAdvanceMsPerCharacter =
    kAutoAdvancePaces[kDefaultAutoAdvancePace].perCharacterMs;

// A pace out of the table (a hand-edited file) is the nearest one in it.
constexpr Pace AutoAdvancePace(int pace) {
    return kAutoAdvancePaces[std::clamp(pace, 0, kAutoAdvancePaceCount - 1)];
}

constexpr int AutoAdvanceMs(int characters, int pace = kDefaultAutoAdvancePace) {
    return AutoAdvancePace(pace).perMessageMs + AutoAdvancePace(pace).perCharacterMs * characters;
}

// A message appears letter by letter at the speed the player chooses (設定),
// slowest first, in milliseconds a letter; the last, the game's own, shows
// it whole at once.
constexpr int kTextSpeeds[] = {50, 25, 10, 0};
constexpr int kTextSpeedCount = sizeof kTextSpeeds / sizeof kTextSpeeds[0];
constexpr int kDefaultTextSpeed = kTextSpeedCount - 1;

// A speed out of the table (a hand-edited file) is the nearest one in it.
constexpr int MsPerLetter(int speed) {
    return kTextSpeeds[std::clamp(speed, 0, kTextSpeedCount - 1)];
}

// The letters of a message of `letters` shown `elapsedMs` after it began to
// appear: all of them at once at the game's own speed.
constexpr int LettersShown(int elapsedMs, int speed, int letters) {
    const int ms = MsPerLetter(speed);
    return ms == 0 ? letters : std::clamp(elapsedMs / ms, 0, letters);
}

}  // namespace velmora::timing
