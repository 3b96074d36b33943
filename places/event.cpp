#include "places/event.h"

#include <algorithm>

namespace velmora {
namespace {

bool Within(const Hours& h, const GameState& s) {
    if (h.fromHalf == h.toHalf)
        return s.Half == h.fromHalf && s.Hour >= h.fromHour && s.Hour <= h.toHour;
    return (s.Half == h.fromHalf && s.Hour >= h.fromHour) ||
           (s.Half == h.toHalf && s.Hour <= h.toHour);
}

bool Passes(const FlagTest& t, const GameState& s) {
    const int16_t value = s.flag(t.flag);
    switch (t.compare) {
        case Compare::Below:
            return value < t.value;
        case Compare::Is:
            return value == t.value;
        case Compare::AtLeast:
            return value >= t.value;
    }
    return false;
}

}  // namespace

Times operator||(Times a, const Times& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Guard Day(int day) {
    Guard g;
    g.firstDay = g.lastDay = static_cast<int16_t>(day);
    return g;
}

Guard FromDay(int day) {
    Guard g;
    g.firstDay = static_cast<int16_t>(day);
    return g;
}

Guard operator&&(Guard a, const Guard& b) {
    a.firstDay = std::max(a.firstDay, b.firstDay);
    a.lastDay = std::min(a.lastDay, b.lastDay);
    a.times.insert(a.times.end(), b.times.begin(), b.times.end());
    a.flags.insert(a.flags.end(), b.flags.begin(), b.flags.end());
    if (b.rule) a.rule = b.rule;
    return a;
}

bool Holds(const Guard& guard, const GameState& s) {
    if (s.Day < guard.firstDay || s.Day > guard.lastDay) return false;
    const auto within = [&](const Hours& h) { return Within(h, s); };
    if (!guard.times.empty() && std::none_of(guard.times.begin(), guard.times.end(), within)) {
        return false;
    }
    const auto passes = [&](const FlagTest& t) { return Passes(t, s); };
    return std::all_of(guard.flags.begin(), guard.flags.end(), passes) &&
           (!guard.rule || guard.rule->holds(s));
}

}  // namespace velmora
