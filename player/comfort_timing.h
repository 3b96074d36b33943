// How long the comforts wait, in the window program and the web page alike:
// how long a notice stays, and when auto-advance presses NEXT.
#pragma once

#include <algorithm>

namespace velmora::timing {

// A notice stays this long; a long one as long as it takes to read.
constexpr int kNoticeMs = 1600;
constexpr int kNoticeMsPerCharacter = 80;

constexpr int NoticeMs(int characters) {
    return std::max(kNoticeMs, kNoticeMsPerCharacter * characters);
}

// Auto-advance presses NEXT this long after the message is shown, and a
// little longer for each character of it; it tries again this long after a
// NEXT it could not press.
constexpr int kAutoAdvanceMs = 1500;
constexpr int kAutoAdvanceMsPerCharacter = 60;

constexpr int AutoAdvanceMs(int characters) {
    return kAutoAdvanceMs + kAutoAdvanceMsPerCharacter * characters;
}

}  // namespace velmora::timing
