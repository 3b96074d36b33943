// What the date, time and place plates show for a clock reading.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "world/state.h"

namespace velmora {

// A place plate the clock has a picture for, and what a screen reader
// reads of it: the place as the menu names it (the plate "ﾃﾆｽｺｰﾄ" is read
// 「テニスコート」, not letter by letter).
struct NamedPlate {
    std::string plate;
    std::string words;
};

// The date picture is left empty for a day without one (outside 1..8): the
// plate keeps the picture it shows. The place picture is that of the
// current place when it is one of `plates` (shell/story.h Plates), and empty
// otherwise: a saved game names its place in free text, so a place edited
// into a slot (a path among them) shows no plate rather than opening a file
// of that name.
ClockFace ClockFaceOf(const GameState& s, const std::vector<NamedPlate>& plates);

// The time as the time plate shows it: "AM 9:00", "PM10:30".
std::string TimeText(const GameState& s);

// The plates read as words: "4月1日"; "午前9時", "午後1時30分".
std::string DateWords(int day);
std::string HourWords(int16_t half, int16_t hour);
std::string TimeWords(const GameState& s);

// The picture of a place plate: "公園" → "公園.gif".
std::string PlatePicture(const std::string& plate);

}  // namespace velmora
