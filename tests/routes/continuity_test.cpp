// The continuity check catches each kind of slip, in a small story: a fact
// told twice, a fact taken as known untold or as unsettled once told, a
// time word outside a scene's window, someone sent away who comes back in
// the same visit, and the same words said twice on one route. (The shipped
// ledger over every route is checked with the explorer's own routes, in
// explorer_test.cpp.)
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
// Clocks: the title, Day 1 PM 1:00, Day 1 PM 1:00, Day 2 PM 1:30. The
// later turns play laterEvents (the later visit of Day 1 may be quiet too).
StoryGraph SmallTown(uint64_t laterEvents, std::vector<uint64_t> sameWords = {}) {
    StoryGraph g;
    g.events = {"first", "later", "quiet"};
    g.sameWords = std::move(sameWords);
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
std::string Slips(const std::string& events, uint64_t laterEvents,
                  std::vector<uint64_t> sameWords = {}, int later = -1) {
    const Ledger ledger = Read(
        "word 昼過ぎ any PM 0:00 PM 2:30\n"
        "word 一日目 1 AM 0:00 PM 11:30\n"
        "fact name her name\n"
        "person ryouko 涼子\n" +
        events);
    StoryGraph g = SmallTown(laterEvents, std::move(sameWords));
    g.later = later;
    return Joined(CheckContinuity(g, ledger));
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

TEST(Continuity, AGuessAboutWhatARouteHasAlreadySettled) {
    // The later visit guesses at her name, which the first one told.
    EXPECT_EQ(Slips("event first\n  tells name\nevent later\n  open name\nevent quiet\n", 0b010),
              "later takes name as still unsettled, after first told it on the same route\n");
    // Within one scene, the guess after the telling.
    EXPECT_EQ(Slips("event first\n  tells name\n  open name\nevent later\nevent quiet\n", 0),
              "first takes name as still unsettled, after first told it on the same route\n");
    EXPECT_EQ(Slips("event first\n  open name\n  tells name\nevent later\nevent quiet\n", 0), "");
}

TEST(Continuity, SomeoneSentAwayComesBackInTheSameVisit) {
    const std::string ledger =
        "event first\nevent later\n  comes ryouko\n  leaves ryouko\n"
        "event quiet\n  comes ryouko\n  again visit\n";
    EXPECT_EQ(Slips(ledger, 0b110),
              "quiet brings ryouko back in the visit where later sent them away\n");
    EXPECT_EQ(Slips(ledger, 0b010), "");  // on the next day, another visit
    // The days after the last one, played in the turn that passes midnight.
    EXPECT_EQ(Slips(ledger, 0b110, {}, 2), "");
}

TEST(Continuity, TheSameWordsTwiceOnOneRoute) {
    // The later visit of Day 1 and the quiet one of Day 2 say the words of
    // the first; each says its own.
    const std::vector<uint64_t> same = {0b111, 0b011, 0b101};
    const std::string first = "event first\n";
    EXPECT_EQ(Slips(first + "event later\nevent quiet\n", 0b010, same),
              "later says again the words of first on the same route\n"
              "quiet says again the words of first on the same route\n");
    // A regular's greeting reads well on another day, not twice in one.
    EXPECT_EQ(Slips(first + "event later\n  again day\nevent quiet\n  again day\n", 0b010, same),
              "later says again the words of first on the same day\n");
    EXPECT_EQ(Slips(first + "event later\n  again visit\nevent quiet\n  again day\n", 0b010, same),
              "");
    // An event that plays twice says its own words twice.
    EXPECT_EQ(Slips(first + "event later\nevent quiet\n", 0b100, {}),
              "quiet says again the words of quiet on the same route\n");
}

TEST(Continuity, PartsOfOneSceneInOneVisitSayItsWordsOnce) {
    // The later visit plays two parts of one scene that show one line
    // between them (the explorer gives it to each, on its own route).
    StoryGraph g;
    g.events = {"first", "later", "quiet"};
    g.sameWords = {0b001, 0b110, 0b110};
    g.clock = {-1, 26};
    g.steps = {{0, 1, 0b001, 26}, {1, StoryGraph::kEnd, 0b110, 27}};
    const Ledger ledger = Read("event first\nevent later\nevent quiet\n");
    g.whole = {0, 1, 1};
    EXPECT_EQ(Joined(CheckContinuity(g, ledger)), "");
    g.whole = {0, 1, 2};  // two scenes
    EXPECT_EQ(Joined(CheckContinuity(g, ledger)),
              "quiet says again the words of later on the same route\n");
}

TEST(Continuity, LedgerLinesItCannotReadAreNamed) {
    const std::string head = "fact name her name\nthing apron エプロン\nperson ryouko 涼子\n";
    const std::pair<const char*, const char*> cases[] = {
        {"event first\n  except ryouko01#7\n",
         "continuity.txt:5: except is followed by FILE#ITEM or \"a piece of the line\", then why\n"},
        {"event first\n  wears kumi apron\n", "continuity.txt:5: no person kumi\n"},
        {"event first\n  carries ryouko\n", "continuity.txt:5: carries ryouko without a thing\n"},
        {"event first\n  lacks hero cap\n", "continuity.txt:5: no thing cap\n"},
        {"outfit ryouko apron cap\n", "continuity.txt:4: no thing cap\n"},
        {"visit 弁当屋\n  comes ryouko\n", "continuity.txt:5: a visit's lines are except alone\n"},
    };
    for (const auto& [lines, said] : cases) {
        std::vector<std::string> problems;
        ReadLedger(head + lines, &problems);
        EXPECT_EQ(Joined(problems), said) << lines;
    }
}

}  // namespace
}  // namespace velmora::routes
