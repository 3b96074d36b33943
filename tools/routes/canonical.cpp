#include "tools/routes/canonical.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace velmora::routes {
namespace {

constexpr int kLastDay = 4;  // a visit never sees Day 5

// One test of a flag, with the days and the last hour at which it is made.
struct Use {
    bool byRule = false;  // read by a named rule: every value counts
    FlagTest test{};
    int firstDay = 1;
    int lastDay = kLastDay;
    int lastClock = 0;
};

int LastClock(int lastDay, const Times& times) {
    int half = PM, hour = 11;
    if (!times.empty()) {
        const auto later = [](const Hours& a, const Hours& b) {
            return a.toHalf * 12 + a.toHour < b.toHalf * 12 + b.toHour;
        };
        const Hours& last = *std::max_element(times.begin(), times.end(), later);
        half = last.toHalf;
        hour = last.toHour;
    }
    return ClockIndex(lastDay, half, hour, 30);
}

// The tests of one guard, made on its days at its hours.
void Collect(const Guard& guard, std::map<Flag, std::vector<Use>>& uses) {
    Use use;
    use.firstDay = std::max<int>(guard.firstDay, 1);
    use.lastDay = std::min<int>(guard.lastDay, kLastDay);
    use.lastClock = LastClock(use.lastDay, guard.times);
    for (const FlagTest& test : guard.flags) {
        use.test = test;
        uses[test.flag].push_back(use);
    }
    if (!guard.rule) return;
    use.byRule = true;
    for (Flag flag : guard.rule->reads) uses[flag].push_back(use);
}

// A part of an event is tested within the event's days, at its own hours
// or else the event's.
Guard PartOf(const Guard& event, const Guard& part) {
    Guard g = part;
    g.firstDay = std::max(event.firstDay, part.firstDay);
    g.lastDay = std::min(event.lastDay, part.lastDay);
    if (g.times.empty()) g.times = event.times;
    return g;
}

void CollectEvent(const Event& event, std::map<Flag, std::vector<Use>>& uses) {
    Collect(event.guard, uses);
    for (const Branch& branch : event.branches) Collect(PartOf(event.guard, branch.guard), uses);
}

bool OfAThread(const Use& u) {
    const bool ownDay = u.firstDay == u.lastDay && u.test.value == u.firstDay;
    const bool firstOfAll = u.firstDay == 1 && u.lastDay == 1 && u.test.value == 0;
    return !u.byRule && ((u.test.compare == Compare::Below && ownDay) ||
                         (u.test.compare == Compare::Is && firstOfAll));
}

bool IsOne(const Use& u) {
    return !u.byRule && u.test.compare == Compare::Is && u.test.value == 1;
}

FlagRule RuleOf(Flag flag, const std::vector<Use>& uses) {
    FlagRule rule{flag};
    for (const Use& u : uses) rule.expiry = std::max(rule.expiry, u.lastClock);
    if (std::all_of(uses.begin(), uses.end(), OfAThread)) {
        rule.kind = FlagRule::Kind::Thread;
        return rule;
    }
    // A flag answered on Day 1 that later tests only as "= 1".
    int lastOtherDay = 0;
    for (const Use& u : uses) {
        if (!IsOne(u)) lastOtherDay = std::max(lastOtherDay, u.lastDay);
    }
    if (lastOtherDay <= 1) {
        rule.kind = FlagRule::Kind::YesOnly;
        rule.yesOnlyFrom = lastOtherDay + 1;
    }
    return rule;
}

int Reduced(const FlagRule& rule, int value, int day) {
    switch (rule.kind) {
        case FlagRule::Kind::Exact:
            return value;
        case FlagRule::Kind::Thread:
            return value < day ? 0 : value;
        case FlagRule::Kind::YesOnly:
            return day < rule.yesOnlyFrom ? value : value == 1;
    }
    return value;
}

}  // namespace

FlagRules FlagRulesOf(const Story& story) {
    std::map<Flag, std::vector<Use>> uses;
    CollectEvent(story.start, uses);
    for (const Place& place : story.places) {
        for (const Event& event : place.events) CollectEvent(event, uses);
    }
    CollectEvent(story.digest, uses);
    FlagRules rules;
    for (const auto& [flag, its] : uses) rules.push_back(RuleOf(flag, its));
    if (rules.size() > kKeyFlags) throw std::length_error("more flags tested than a key holds");
    return rules;
}

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
StateKey Canonical(const FlagRules& rules, const GameState& s) {
    StateKey key;
    key.clock = static_cast<int16_t>(ClockIndex(s));
    for (size_t i = 0; i < rules.size(); ++i) {
        if (key.clock >= rules[i].expiry) continue;
        key.flags[i] = static_cast<int8_t>(Reduced(rules[i], s.flag(rules[i].flag), s.Day));
    }
    return key;
}

void Apply(const FlagRules& rules, const StateKey& key, GameState* s) {
    const int c = key.clock;
    s->Day = static_cast<int16_t>(c / 48 + 1);
    s->Half = static_cast<int16_t>(c / 24 % 2);
    s->Hour = static_cast<int16_t>(c / 2 % 12);
    s->Minute = static_cast<int16_t>(c % 2 * 30);
    for (size_t i = 0; i < rules.size(); ++i) s->flag(rules[i].flag) = key.flags[i];
}

}  // namespace velmora::routes
