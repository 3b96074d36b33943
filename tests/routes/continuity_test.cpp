// The continuity check catches each kind of slip, in a small story: a fact
// told twice, a fact taken as known untold, a time word outside a scene's
// window. (The shipped ledger over every route is checked with the
// explorer's own routes, in explorer_test.cpp.)
#include <gtest/gtest.h>

#include "tools/routes/continuity.h"

namespace velmora::routes {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

Ledger Read(const std::string& text) {
    std::vector<std::string> problems;
    Ledger ledger = ReadLedger(text, &problems);
    EXPECT_EQ(Joined(problems), "");
    return ledger;
}

// A small town of four states. From the title (0) the hero either meets
// the bento-shop girl in the afternoon (1) or sleeps through it (2); both
// ways lead to Day 2 (3), where she greets him by name, and then the digest.
//   0 --first--> 1 --later--> 3 --quiet--> end
//   0 ---------> 2 ---------> 3
// Clocks: the title, Day 1 PM 1:00, Day 1 PM 1:00, Day 2 PM 1:30.
StoryGraph SmallTown(uint64_t laterEvents) {
    StoryGraph g;
    g.events = {"first", "later", "quiet"};
    const int day1 = 48 * 0 + 26, day2 = 48 * 1 + 27;
    g.clock = {-1, day1, day1, day2};
    g.steps = {{0, 1, 0b001, day1},
               {0, 2, 0, day1},
               {1, 3, laterEvents, day1 + 1},
               {2, 3, laterEvents, day1 + 1},
               {3, StoryGraph::kEnd, 0b100, day2 + 1}};
    return g;
}

// What the check says of the small town with these ledger entries for its
// three events (after two time words and one fact).
std::string Slips(const std::string& events, uint64_t laterEvents) {
    const Ledger ledger = Read(
        "word 昼過ぎ any PM 0:00 PM 2:30\n"
        "word 一日目 1 AM 0:00 PM 11:30\n"
        "fact name her name\n" +
        events);
    return Joined(CheckContinuity(SmallTown(laterEvents), ledger));
}

TEST(Continuity, AFactToldTwiceOnOneRoute) {
    EXPECT_EQ(Slips("event first\n  tells name\nevent later\n  tells name\nevent quiet\n", 0b010),
              "later tells name again, after first on the same route\n");
}

TEST(Continuity, AFactTakenAsKnownThatARouteNeverTold) {
    // The way through state 2 reaches the quiet visit without her name.
    EXPECT_EQ(Slips("event first\n  tells name\nevent later\nevent quiet\n  assumes name\n", 0),
              "quiet takes name as known, but a route reaches it untold\n");
}

TEST(Continuity, ATimeWordOutsideTheScenesWindow) {
    EXPECT_EQ(
        Slips("event first\n  names 昼過ぎ 一日目\nevent later\nevent quiet\n  names 一日目\n", 0),
        "quiet names 一日目 but plays at Day 2 PM 2:00\n");
}

}  // namespace
}  // namespace velmora::routes
