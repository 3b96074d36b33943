#include "presentation/clock_display.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "presentation/pictures.h"

namespace velmora {
namespace {

// The places the game itself goes to, each with its plate picture. A saved
// game names its place in free text, so a place outside this list (edited
// into a slot, a path among them) shows no plate rather than opening a file
// of that name.
bool HasPlate(const std::string& place) {
    static const char* const kPlaces[] = {"アパート", "部屋",       "防波堤",   "弁当屋",
                                          "公園",     "明の家",     "セルビア", "ﾊﾟｿｺﾝｼｮｯﾌﾟ",
                                          "学校",     "ひとみの家", "ﾃﾆｽｺｰﾄ"};
    return std::find(std::begin(kPlaces), std::end(kPlaces), place) != std::end(kPlaces);
}

}  // namespace

ClockFace ClockFaceOf(const GameState& s) {
    static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    ClockFace face;
    if (s.Day >= 1 && s.Day <= 8)
        face.datePicture = std::string("日付") + kDigits[s.Day - 1] + ".gif";
    std::string hour = s.Hour < 0 ? "-" : " ";
    hour += std::to_string(std::abs(static_cast<int>(s.Hour)));
    face.timeText =
        std::string(s.Half == AM ? "AM" : "PM") + hour + ":" + (s.Minute == 30 ? "30" : "00");
    if (HasPlate(s.CurrentPlace)) face.placePicture = s.CurrentPlace + ".gif";
    return face;
}

void Pictures::UpdateClockDisplay() {
    platform_.ShowClock(ClockFaceOf(s_));
}

}  // namespace velmora
