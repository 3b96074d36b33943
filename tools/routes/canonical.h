// What of the game's memory decides the rest of the story, and the merging
// of states that behave alike. Two menu states with the same key play the
// same scenes for every input from then on.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/story.h"
#include "world/state.h"

namespace velmora::routes {

// Half hours since Day 1 AM 0:00; every turn moves it forward.
int ClockIndex(int day, int half, int hour, int minute);
int ClockIndex(const GameState& s);
std::string ClockText(int clockIndex);  // "Day 2 PM 1:30"

// How the story's tests of one flag tell its values apart, read off the
// declared guards of its events and their parts.
struct FlagRule {
    enum class Kind {
        Exact,    // every value counts: counters, markers, flags tested every way
        Thread,   // the day of a thread's last scene: every test is "below the
                  // scene's own day" (or "= 0" on Day 1), so values below today are alike
        YesOnly,  // from yesOnlyFrom on every test is "= 1": only 1 or not 1 counts
    };
    Flag flag;
    Kind kind = Kind::Exact;
    int yesOnlyFrom = 0;
    int expiry = 0;  // the clock after its last test: the flag no longer counts
};
using FlagRules = std::vector<FlagRule>;  // by flag number

FlagRules FlagRulesOf(const Story& story);

constexpr int kKeyFlags = 24;  // at most this many flags are ever tested

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

StateKey Canonical(const FlagRules& rules, const GameState& s);

// Writes the key's clock and flags into a new game's state (NewGame); the
// flags no rule keeps stay as a new game has them, everything else of the
// state is left alone.
void Apply(const FlagRules& rules, const StateKey& key, GameState* s);

}  // namespace velmora::routes
