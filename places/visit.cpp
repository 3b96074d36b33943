// The words the place handlers are written in: load, line(s), say, picture,
// portrait, switch to, dismiss, blank, redraw, +30 min, clock :=, place :=,
// ask, and the day and hour tests of the events.
#include "shell/form1.h"

namespace velmora {

void Form1::Line(int n) {
    ShowMessage(s_.ScriptLines.at(n), 0);
}

void Form1::Lines(int from, int to) {
    for (int n = from; n <= to; ++n) Line(n);
}

// The place is drawn again first, so the portrait before is gone.
void Form1::SwitchTo(const std::string& placePicture, const std::string& portrait) {
    Picture(placePicture);
    Portrait(portrait);
}

void Form1::Plus30(int times) {
    for (int i = 0; i < times; ++i) AdvanceClock();
}

// A jump to a fixed hour of the same half day; shown at the next redraw.
void Form1::ClockTo(int hour, int minute) {
    s_.Hour = static_cast<int16_t>(hour);
    s_.Minute = static_cast<int16_t>(minute);
}

bool Form1::Ask(const std::string& question) {
    Say(question);
    s_.DialogAnswer = 0;
    ShowForm2();
    return s_.DialogAnswer == 1;
}

bool Form1::Ask(int questionLine) {
    return Ask(s_.ScriptLines.at(questionLine));
}

bool Form1::During(int16_t fromHalf, int fromHour, int16_t toHalf, int toHour) const {
    if (fromHalf == toHalf) return s_.Half == fromHalf && s_.Hour >= fromHour && s_.Hour <= toHour;
    return (s_.Half == fromHalf && s_.Hour >= fromHour) || (s_.Half == toHalf && s_.Hour <= toHour);
}

void Form1::Describe(const std::string& earlyDays, const std::string& lateDays) {
    Say(DayOneOrTwo() ? earlyDays : lateDays);
}

}  // namespace velmora
