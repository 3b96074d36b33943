#include "presentation/clock_display.h"

#include <algorithm>
#include <cstdlib>

#include "presentation/pictures.h"

namespace velmora {

std::string TimeText(const GameState& s) {
    std::string hour = s.Hour < 0 ? "-" : " ";
    hour += std::to_string(std::abs(static_cast<int>(s.Hour)));
    return std::string(s.Half == AM ? "AM" : "PM") + hour + ":" + (s.Minute == 30 ? "30" : "00");
}

std::string DateWords(int day) {
    return "4月" + std::to_string(day) + "日";
}

std::string HourWords(int16_t half, int16_t hour) {
    return std::string(half == AM ? "午前" : "午後") + std::to_string(hour) + "時";
}

std::string TimeWords(const GameState& s) {
    return HourWords(s.Half, s.Hour) + (s.Minute == 30 ? "30分" : "");
}

std::string PlatePicture(const std::string& plate) {
    return plate + ".gif";
}

ClockFace ClockFaceOf(const GameState& s, const std::vector<NamedPlate>& plates) {
    static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    ClockFace face;
    if (s.Day >= 1 && s.Day <= 8) {
        face.datePicture = std::string("日付") + kDigits[s.Day - 1] + ".gif";
        face.dateWords = DateWords(s.Day);
    }
    face.timeText = TimeText(s);
    face.timeWords = TimeWords(s);
    const auto plate = std::find_if(plates.begin(), plates.end(), [&s](const NamedPlate& p) {
        return p.plate == s.CurrentPlace;
    });
    if (plate != plates.end()) {
        face.placePicture = PlatePicture(plate->plate);
        face.placeWords = plate->words;
    }
    return face;
}

void Pictures::UpdateClockDisplay() {
    platform_.ShowClock(ClockFaceOf(s_, plates_));
    if (shown_ && !scene_.empty()) shown_(scene_, TimeText(s_));
}

}  // namespace velmora
