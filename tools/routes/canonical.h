// What of the game's memory decides the rest of the story, and the merging
// of states that behave alike. Two menu states with the same key play the
// same scenes for every input from then on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "world/state.h"

namespace velmora::routes {

// Half hours since Day 1 AM 0:00; every turn moves it forward.
int ClockIndex(int day, int half, int hour, int minute);
int ClockIndex(const GameState& s);
std::string ClockText(int clockIndex);  // "Day 2 PM 1:30"

constexpr int kKeyFlags = 20;

// The clock and the flags that any event still to come can test, each
// reduced to the values its tests tell apart.
struct StateKey {
    int16_t clock = 0;  // ClockIndex
    std::array<int8_t, kKeyFlags> flags{};
    bool operator==(const StateKey&) const = default;
};

struct StateKeyHash {
    size_t operator()(const StateKey& k) const;
};

StateKey Canonical(const GameState& s);

// Writes the key's clock and flags into a game's state; everything else of
// the state is left alone (the place only names the clock's picture).
void Apply(const StateKey& key, GameState* s);

}  // namespace velmora::routes
