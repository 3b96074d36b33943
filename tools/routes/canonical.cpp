#include "tools/routes/canonical.h"

namespace velmora::routes {
namespace {

// How the tests of a flag tell its values apart.
enum class Kind {
    Exact,    // counters and markers: every value counts
    Thread,   // day of the last scene of a thread: on day d the scenes test
              // "< d'" for d' >= d (or "= 0" on Day 1), so all values below d are alike
    YesOnly,  // only "= 1" is ever tested
    Answer,   // Hitomi's answer: 0, 1 and 2 on Day 1, afterwards only "= 1"
};

struct Rule {
    int flag;
    Kind kind;
    int lastDay, lastHalf, lastHour;  // the last clock at which a scene tests it
};

// Read off the place handlers' conditions.
constexpr Rule kRules[kKeyFlags] = {
    {1, Kind::Answer, 4, PM, 2},     // park P1, serubia S1, S2, S5; tennis T2; hitomi H2
    {2, Kind::Thread, 4, PM, 2},     // serubia S2, S5; hitomi H1; tennis T3
    {3, Kind::Thread, 3, PM, 2},     // park P2; tennis T2; breakwater B4
    {4, Kind::Thread, 3, PM, 7},     // school C1; pc shop P1; hitomi H2
    {21, Kind::Thread, 4, AM, 11},   // serubia S4; tennis T4
    {22, Kind::Thread, 3, PM, 5},    // tennis T1; school C2; park P3, P4
    {23, Kind::Thread, 4, PM, 6},    // serubia S3; apartment A3
    {41, Kind::YesOnly, 2, PM, 2},   // apartment R1; breakwater B1
    {45, Kind::Exact, 4, PM, 11},    // apartment A1, A2, R1; breakwater B1, B2
    {46, Kind::Exact, 3, PM, 5},     // apartment R2 (writes 1 on Day 2); breakwater B3
    {47, Kind::Exact, 4, PM, 11},    // the gathering: many places
    {48, Kind::Exact, 4, PM, 11},    // apartment A1
    {49, Kind::Exact, 4, PM, 10},    // apartment R3
    {61, Kind::Thread, 4, AM, 11},   // apartment A4
    {62, Kind::Thread, 4, PM, 6},    // park P5
    {81, Kind::Exact, 4, PM, 10},    // bento shop; apartment R3
    {84, Kind::Exact, 4, PM, 6},     // bento shop
    {101, Kind::Thread, 3, AM, 11},  // pc shop P2
    {103, Kind::Thread, 4, PM, 5},   // akira house A1
    {104, Kind::Thread, 4, PM, 7},   // school C3
};

int Reduced(const Rule& rule, int value, int day) {
    switch (rule.kind) {
        case Kind::Exact:
            return value;
        case Kind::Thread:
            return value < day ? 0 : value;
        case Kind::YesOnly:
            return value == 1 ? 1 : 0;
        case Kind::Answer:
            return day == 1 || value == 1 ? value : 2;
    }
    return value;
}

}  // namespace

int ClockIndex(int day, int half, int hour, int minute) {
    return (((day - 1) * 2 + half) * 12 + hour) * 2 + minute / 30;
}

int ClockIndex(const GameState& s) {
    return ClockIndex(s.Day, s.Half, s.Hour, s.Minute);
}

std::string ClockText(int clockIndex) {
    const int day = clockIndex / 48 + 1;
    const int half = clockIndex / 24 % 2;
    const int hour = clockIndex / 2 % 12;
    const char* minute = clockIndex % 2 ? ":30" : ":00";
    return "Day " + std::to_string(day) + (half == AM ? " AM " : " PM ") + std::to_string(hour) +
           minute;
}

size_t StateKeyHash::operator()(const StateKey& k) const {
    uint64_t h = 1469598103934665603ull ^ static_cast<uint16_t>(k.clock);
    for (int8_t f : k.flags) h = (h ^ static_cast<uint8_t>(f)) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 29));
}

// A flag is dropped once the clock has passed its last test: the next
// visit arrives half an hour later still.
StateKey Canonical(const GameState& s) {
    StateKey key;
    key.clock = static_cast<int16_t>(ClockIndex(s));
    for (int i = 0; i < kKeyFlags; ++i) {
        const Rule& rule = kRules[i];
        const int expiry = ClockIndex(rule.lastDay, rule.lastHalf, rule.lastHour, 30);
        if (key.clock >= expiry) continue;
        key.flags[i] = static_cast<int8_t>(Reduced(rule, s.Flags[rule.flag], s.Day));
    }
    return key;
}

void Apply(const StateKey& key, GameState* s) {
    const int c = key.clock;
    s->Day = static_cast<int16_t>(c / 48 + 1);
    s->Half = static_cast<int16_t>(c / 24 % 2);
    s->Hour = static_cast<int16_t>(c / 2 % 12);
    s->Minute = static_cast<int16_t>(c % 2 * 30);
    s->Flags.fill(0);
    s->Flags[flag::kMusic] = 1;
    s->Flags[flag::kPortraitMode] = 2;
    for (int i = 0; i < kKeyFlags; ++i) {
        s->Flags[kRules[i].flag] = key.flags[i];
    }
}

}  // namespace velmora::routes
