// The contexts of a scene, in a small town: the bento-shop girl met on
// Day 1 or not, seen again later that afternoon, and on Day 2.
#include <gtest/gtest.h>

#include "tools/routes/contexts.h"

namespace velmora::routes {
namespace {

// A row as "day from-to told met", the hours as half hours of the day.
std::string Rows(const EventContexts& c) {
    std::string out;
    for (const Context& row : c.rows) {
        out += std::to_string(row.day) + " " + std::to_string(row.from) + "-" +
               std::to_string(row.to) + " " + std::to_string(row.told) + " " +
               std::to_string(row.met) + ";";
    }
    return out;
}

TEST(Contexts, EachDistinctContextOfAScene) {
    std::vector<std::string> problems;
    const Ledger ledger = ReadLedger(
        "fact name her name\n"
        "person ryouko 涼子\n"
        "event first\n  comes ryouko\n  tells name\n"
        "event later\n  comes ryouko\n"
        "event quiet\n  assumes name\n",
        &problems);
    ASSERT_TRUE(problems.empty());
    // 0 --first--> 1 --later--> 3 --quiet--> end; 0 --> 2 --later--> 3, and
    // from 2 one turn that plays first and later.
    StoryGraph g;
    g.events = {"first", "later", "quiet"};
    const int day1 = 26, day2 = 48 + 27;
    g.clock = {-1, day1, day1, day1 + 1};
    g.steps = {{0, 1, 0b001, day1},     {0, 2, 0, day1},
               {1, 3, 0b010, day1 + 1}, {2, 3, 0b010, day1 + 1},
               {2, 3, 0b011, day1 + 1}, {3, StoryGraph::kEnd, 0b100, day2}};
    const auto contexts = [&](std::vector<int> whole) {
        g.whole = std::move(whole);
        return FindContexts(g, ledger, ConcernsOf({}, {}, ledger));
    };
    const std::vector<EventContexts> apart = contexts({0, 1, 2});
    // Later that afternoon: met her at the first visit, or not; on Day 2
    // her name told or not, nobody met yet that day.
    EXPECT_EQ(Rows(apart[1]), "1 27-27 0 0;1 27-27 0 1;");
    EXPECT_EQ(Rows(apart[2]), "2 27-27 0 0;2 27-27 1 0;");
    EXPECT_EQ(apart[2].facts, 1u);
    EXPECT_EQ(apart[2].always, 0u);
    EXPECT_NE(ContextTables(apart, ledger).find("| 2 | PM 1:30 | name | — | — |\n"),
              std::string::npos)
        << ContextTables(apart, ledger);
    // Two parts of one scene, in one turn, meet her once, in it; two scenes
    // meet her twice.
    g.clock = {-1, day1};
    g.steps = {{0, 1, 0b011, day1}, {1, StoryGraph::kEnd, 0, day1 + 1}};
    EXPECT_EQ(Rows(contexts({0, 0, 2})[1]), "1 26-26 0 0;");
    EXPECT_EQ(Rows(contexts({0, 1, 2})[1]), "1 26-26 0 1;");
}

}  // namespace
}  // namespace velmora::routes
