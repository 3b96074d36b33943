#include "places/visit.h"

#include <cstring>
#include <stdexcept>

namespace velmora {

void Visit::PlayEvents(std::string_view idPrefix) {
    for (const Event& event : place_->events) {
        if (std::string_view(event.id).starts_with(idPrefix) && Holds(event.guard, s_)) Play(event);
    }
}

void Visit::Play(const Event& event) {
    event_ = &event;
    if (event.listed) game_.Tell(event.id);
    event.play(*this);
    event_ = nullptr;
}

bool Visit::Branch(const char* name) {
    for (const velmora::Branch& branch : event_->branches) {
        if (std::strcmp(branch.name, name) != 0) continue;
        if (!Holds(branch.guard, s_)) return false;
        game_.Tell(std::string(event_->id) + " " + name);
        return true;
    }
    throw std::logic_error(std::string(event_->id) + " has no part " + name);
}

void Visit::MarkDone() {
    Set(event_->done->flag, event_->done->value);
}

bool Visit::Closed(const Hours& open) const {
    return (s_.Half == open.fromHalf && s_.Hour < open.fromHour) ||
           (s_.Half == open.toHalf && s_.Hour > open.toHour);
}

void Visit::Line(int n) {
    game_.ShowScriptLine(n);
}

void Visit::Lines(int from, int to) {
    for (int n = from; n <= to; ++n) Line(n);
}

// The place is drawn again first, so the portrait before is gone.
void Visit::SwitchTo(const std::string& placePicture, const std::string& portrait) {
    Picture(placePicture);
    Portrait(portrait);
}

void Visit::Plus30(int times) {
    for (int i = 0; i < times; ++i) AdvanceClock(game_);
}

// A jump to a fixed hour of the same half day; shown at the next redraw.
void Visit::ClockTo(int hour, int minute) {
    s_.Hour = static_cast<int16_t>(hour);
    s_.Minute = static_cast<int16_t>(minute);
}

bool Visit::Ask(const std::string& question) {
    Say(question);
    return Answer();
}

bool Visit::Ask(int questionLine) {
    Line(questionLine);
    return Answer();
}

bool Visit::Answer() {
    s_.DialogAnswer = 0;
    game_.ShowForm2();
    return s_.DialogAnswer == 1;
}

void Visit::Describe(const std::string& earlyDays, const std::string& lateDays) {
    Say(s_.Day <= 2 ? earlyDays : lateDays);
}

}  // namespace velmora
