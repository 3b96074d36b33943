#include "presentation/clock_display.h"

#include <cstdlib>

#include "presentation/pictures.h"

namespace velmora {

ClockFace ClockFaceOf(const GameState& s) {
    static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    ClockFace face;
    if (s.Day >= 1 && s.Day <= 8)
        face.datePicture = std::string("日付") + kDigits[s.Day - 1] + ".gif";
    std::string hour = s.Hour < 0 ? "-" : " ";
    hour += std::to_string(std::abs(static_cast<int>(s.Hour)));
    face.timeText =
        std::string(s.Half == AM ? "AM" : "PM") + hour + ":" + (s.Minute == 30 ? "30" : "00");
    face.placePicture = s.CurrentPlace + ".gif";
    return face;
}

void Pictures::UpdateClockDisplay() {
    platform_.ShowClock(ClockFaceOf(s_));
}

}  // namespace velmora
