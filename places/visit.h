// The words the scenes are written in: load, line(s), say, picture,
// portrait, switch to, dismiss, blank, redraw, +30 min, clock :=, place :=,
// ask; and the story's own: the events of the place, their parts and marks.
// A visit reaches the windows only through the game's operations.
#pragma once

#include <string>
#include <string_view>

#include "places/event.h"
#include "world/game.h"

namespace velmora {

class Visit {
  public:
    explicit Visit(Game& game, const Place* place = nullptr)
        : game_(game), s_(game.state()), place_(place) {}

    Game& game() { return game_; }

    // --- the story's events ---
    // The place's events whose ids begin so, each in turn whose guard holds
    // when its turn comes.
    void PlayEvents(std::string_view idPrefix = {});
    void Play(const Event& event);
    // Tells that the named part of the event playing plays, when its guard
    // holds now; returns whether it does.
    bool Branch(const char* name);
    void MarkDone();  // the mark the event's table gives it
    void Set(Flag flag, int16_t value) { s_.flag(flag) = value; }
    void Count(Flag flag) { s_.flag(flag) = static_cast<int16_t>(s_.flag(flag) + 1); }
    int16_t Day() const { return s_.Day; }
    bool During(const Times& times) const { return Holds(times, s_); }
    // Before the opening hour of the morning, or after the last hour of the afternoon.
    bool Closed(const Hours& open) const;

    // --- the steps of a scene ---
    void Load(const std::string& file) { LoadScript(game_, file); }
    void Line(int n);
    void Lines(int from, int to);
    void Say(const std::string& text) { game_.ShowMessage(text, 0); }
    void Picture(const std::string& file) { game_.ShowScenePicture(file); }
    void Portrait(const std::string& file) { game_.ShowPortrait(file); }
    void SwitchTo(const std::string& placePicture, const std::string& portrait);
    void Dismiss() { game_.DismissPortrait(); }
    void Blank() { game_.ClearScenePicture(); }
    void Redraw() { game_.UpdateClockDisplay(); }
    void Plus30(int times = 1);
    void ClockTo(int hour, int minute);
    void PlaceIs() { s_.CurrentPlace = place_->plate(); }  // the hero is at the place
    void PlaceIs(const std::string& room) { s_.CurrentPlace = room; }
    bool Ask(const std::string& question);
    bool Ask(int questionLine);
    void Describe(const std::string& earlyDays, const std::string& lateDays);

  private:
    bool Answer();  // the Yes/No window after the question

    Game& game_;
    GameState& s_;
    const Place* place_;
    const Event* event_ = nullptr;
};

}  // namespace velmora
