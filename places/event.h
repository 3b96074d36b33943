// How the events of the story are declared, once, in the file of their
// place: when each may play (its days, its hours on the clock after the
// move, the story flags it tests), the mark it leaves, the parts of it that
// play only sometimes, and its steps. The game plays them from here, and
// the route explorer reads its rules from the same declarations.
//
//   {"park P3", Flag::KaoriParkDay < 3 && Day(3) && Flag::Gathering == 1 && During(PM, 0, PM, 5),
//    Mark{Flag::KaoriParkDay, 3}, [](Visit& v) { ... }}
#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/flags.h"
#include "world/state.h"

namespace velmora {

class Visit;

// From Half and Hour to Half and Hour, both hours included; minutes are
// never compared.
struct Hours {
    int16_t fromHalf, fromHour, toHalf, toHour;
};
inline constexpr Hours kAllDay{AM, 0, PM, 11};
using Times = std::vector<Hours>;  // any one of them

inline Times During(int16_t fromHalf, int fromHour, int16_t toHalf, int toHour) {
    return {{fromHalf, static_cast<int16_t>(fromHour), toHalf, static_cast<int16_t>(toHour)}};
}
Times operator||(Times a, const Times& b);

// One story flag compared with a number.
enum class Compare { Below, Is, AtLeast };
struct FlagTest {
    Flag flag;
    Compare compare;
    int16_t value;
};
inline FlagTest operator<(Flag f, int v) {
    return {f, Compare::Below, static_cast<int16_t>(v)};
}
inline FlagTest operator==(Flag f, int v) {
    return {f, Compare::Is, static_cast<int16_t>(v)};
}
inline FlagTest operator>=(Flag f, int v) {
    return {f, Compare::AtLeast, static_cast<int16_t>(v)};
}

// A test that no single comparison says (the bento shop's counters): named,
// with the flags it reads.
struct Rule {
    const char* name;
    bool (*holds)(const GameState&);
    std::vector<Flag> reads;
};

// When an event, or a part of one, plays: every test holds.
struct Guard {
    int16_t firstDay = INT16_MIN;
    int16_t lastDay = INT16_MAX;
    Times times;                  // none: at any hour
    std::vector<FlagTest> flags;  // all of them
    const Rule* rule = nullptr;

    Guard() = default;
    Guard(FlagTest test) : flags{test} {}
    Guard(Times t) : times(std::move(t)) {}
    Guard(const Rule& r) : rule(&r) {}
};
Guard Day(int day);
Guard FromDay(int day);
Guard operator&&(Guard a, const Guard& b);
bool Holds(const Guard& guard, const GameState& s);

// The mark an event leaves so that it plays once.
struct Mark {
    Flag flag;
    int16_t value;
};

// A part of an event that plays only sometimes: on one answer, or when its
// own guard holds as the steps come to it. Its id is the event's and its name.
struct Branch {
    const char* name;  // "YES", "after the gathering"
    Guard guard;
};

struct Event {
    const char* id;  // "park P3": the name every list of the story knows it by
    Guard guard;
    std::optional<Mark> done;
    void (*play)(Visit&);
    std::vector<Branch> branches = {};
    bool listed = true;  // false: only its parts are events of the story
};

// A place of the town: the menu's caption, which is also what a screen
// reader reads of the place's scene picture; that picture; its visit; its
// events in the order the visit tests them; and the names it goes by where
// the hero is (the clock column's place plate, whose picture is NAME.gif,
// and a save's place): the first for the place itself, the others for rooms
// of it ("部屋"); none, the caption alone. Each room has its scene picture,
// read as the room's name.
struct Place {
    const char* caption;
    const char* scene;
    void (*visit)(Visit&);
    std::vector<Event> events;
    std::vector<const char*> plates = {};
    std::vector<const char*> roomScenes = {};  // the rooms' pictures, as plates after the first
    // The hours it is open, from the first hour's :00 to the last's :30: its
    // scene is in view only then (Visit::Closed); the album asks them too.
    Hours open = kAllDay;

    const char* plate() const { return plates.empty() ? caption : plates.front(); }
};

}  // namespace velmora
