// The breakwater: the friends' gathering of Day 2, what a latecomer hears,
// and Kumi's and Hitomi's scenes of Day 3.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kBreakwater = {"防波堤"};

// Accepted the invitation, and Akira came by on the first evening.
const std::vector<SetFlag> kInvited = {{Flag::KumisInvitation, 1}, {Flag::KumiAndAkiraDay, 1}};

std::vector<SetFlag> With(std::vector<SetFlag> flags, SetFlag more) {
    flags.push_back(more);
    return flags;
}

TEST(Breakwater, AlwaysOpenAndDescribedByTheHeroByDay) {
    const auto said = [](Moment saved, Moment arrived) {
        Trace t = PlayFrom(saved, {}, {"防波堤"});
        EXPECT_TRUE(t.HasRun({"HIDE", "SCENE bouhatei.jpg"})) << t.Text();
        EXPECT_EQ(t.clock(), arrived) << "a visit without an event costs half an hour";
        EXPECT_EQ(t.LastSaid().rfind("佐々木：「", 0), 0u) << t.Text();
        return t.LastSaid();
    };
    const std::string early = said({1, AM, 0, 0}, {1, AM, 0, 30});
    EXPECT_EQ(said({2, PM, 11, 0}, {2, PM, 11, 30}), early);
    const std::string late = said({3, AM, 3, 30}, {3, AM, 4, 0});
    EXPECT_EQ(said({4, PM, 11, 0}, {4, PM, 11, 30}), late);
    EXPECT_NE(early, late);
}

TEST(Breakwater, TheGatheringStartsFromPmOneToPmTwoThirtyOfDayTwo) {
    struct Case {
        Moment saved;
        std::vector<SetFlag> flags;
        bool plays;
    };
    const Case cases[] = {
        {{2, PM, 0, 30}, kInvited, true},   // arrives PM 1:00
        {{2, PM, 2, 0}, kInvited, true},    // arrives PM 2:30
        {{2, PM, 0, 0}, kInvited, false},   // PM 0:30 is too early
        {{2, PM, 2, 30}, kInvited, false},  // PM 3:00 is too late
        {{1, PM, 0, 30}, kInvited, false},
        {{3, PM, 0, 30}, kInvited, false},
        {{2, PM, 0, 30},
         {{Flag::KumisInvitation, 2}, {Flag::KumiAndAkiraDay, 1}},
         false},                                                // declined the invitation
        {{2, PM, 0, 30}, {{Flag::KumisInvitation, 1}}, false},  // Akira never came by
        {{2, PM, 0, 30},
         With(kInvited, {Flag::Gathering, 1}),
         true},  // it does not test its own mark
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"防波堤"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(!t.ItemsOf("SATUKI01").empty(), c.plays);
        if (c.plays) {
            EXPECT_EQ(t.clock(), (Moment{2, PM, 6, 0}));
            EXPECT_EQ(t.flag(Flag::Gathering), 1);
        }
    }
}

TEST(Breakwater, TheGatheringPlaysItsLinesAndPortraitsInOrder) {
    Trace t = PlayFrom({2, PM, 0, 30}, kInvited, {"防波堤"});
    EXPECT_EQ(t.ItemsOf("SATUKI01"), Items({{4, 77}}));
    EXPECT_EQ(t.ItemsOf("kaori01"), Items({{32, 69}}));
    EXPECT_LT(t.Find("MSG SATUKI01#77"), t.Find("MSG kaori01#32"));
    EXPECT_EQ(t.LastSaid(), "kaori01#69");
    EXPECT_TRUE(t.HasRun({"MSG 「約束どおり、みんなが集まっていた。」", "HIDE",
                          "SCENE bouhatei.jpg", "PORTRAIT kumi1_0.gif", "MSG SATUKI01#4"}));
    const std::vector<std::string> portraits = {
        "kumi1",  "satuki1", "kumi1",  "akira1", "kumi1",  "kumi1",  "satuki1", "kumi1",
        "akira1", "satuki1", "kaori1", "akira1", "kaori1", "akira1", "kaori1",  "akira1"};
    std::vector<std::string> shown;
    for (const std::string& p : portraits) shown.push_back("PORTRAIT " + p + "_0.gif");
    EXPECT_EQ(t.LinesStarting("PORTRAIT "), shown);
    // Kaori joins without the scene being drawn again.
    EXPECT_TRUE(t.HasRun({"MSG SATUKI01#77", "PORTRAIT kaori1_0.gif", "MSG kaori01#32"}));
    EXPECT_TRUE(t.HasRun({"MSG kaori01#68", "HIDE", "CLOCK 日付２.gif|PM 6:00|防波堤.gif", "HIDE",
                          "SCENE bouhatei.jpg", "MSG kaori01#69"}));
}

TEST(Breakwater, TheGatheringEndsAtPmSixWheneverItBegan) {
    struct Case {
        Moment saved;
        std::vector<std::string> clocks;  // the time shown, after the arrival
    };
    const Case cases[] = {
        {{2, PM, 0, 30}, {"PM 1:30", "PM 2:00", "PM 2:30", "PM 5:00", "PM 6:00"}},
        {{2, PM, 2, 0}, {"PM 3:00", "PM 3:30", "PM 4:00", "PM 5:00", "PM 6:00"}},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, kInvited, {"防波堤"});
        SCOPED_TRACE(t.Text());
        std::vector<std::string> shown;
        for (const std::string& l : t.LinesStarting("CLOCK ")) {
            const std::string time = l.substr(l.find('|') + 1, l.rfind('|') - l.find('|') - 1);
            if (t.Find(l) > t.Find("MSG SATUKI01#4") && (shown.empty() || shown.back() != time)) {
                shown.push_back(time);
            }
        }
        EXPECT_EQ(shown, c.clocks);
        EXPECT_EQ(t.clock(), (Moment{2, PM, 6, 0}));
    }
    // The jump to PM 5:00 is shown only at the dismiss after line 67.
    Trace t = PlayFrom({2, PM, 0, 30}, kInvited, {"防波堤"});
    EXPECT_TRUE(t.HasRun({"MSG SATUKI01#56", "MSG SATUKI01#57"}));
    EXPECT_TRUE(t.HasRun(
        {"MSG SATUKI01#67", "HIDE", "CLOCK 日付２.gif|PM 5:00|防波堤.gif", "MSG SATUKI01#68"}));
    EXPECT_TRUE(t.HasRun({"MSG SATUKI01#69", "HIDE", "CLOCK 日付２.gif|PM 6:00|防波堤.gif"}));
}

TEST(Breakwater, TheGatheringPlaysOnceAndSilencesTheLatecomersLines) {
    Trace t = PlayFrom({2, PM, 0, 30}, kInvited, {"防波堤", "防波堤"});
    EXPECT_EQ(t.ItemsOf("SATUKI01"), Items({{4, 77}}));
    EXPECT_TRUE(t.ItemsOf("akira01").empty());
    EXPECT_EQ(t.clock(), (Moment{2, PM, 6, 30}));
}

TEST(Breakwater, TheLatecomerHearsAkirasLinesAtEveryVisitOfDayTwoAfterPmThree) {
    struct Case {
        Moment saved;
        std::vector<SetFlag> flags;
        std::vector<int> items;
    };
    const Case cases[] = {
        {{2, PM, 2, 30}, kInvited, {45, 46}},
        {{2, PM, 11, 0}, kInvited, {45, 46}},
        {{2, PM, 11, 30}, kInvited, {}},  // Day 3 by then
        {{2, PM, 2, 30}, With(kInvited, {Flag::Gathering, 1}), {}},
        {{2, PM, 2, 30}, {{Flag::KumisInvitation, 1}}, {}},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"防波堤"});
        EXPECT_EQ(t.ItemsOf("akira01"), c.items) << t.Text();
    }
    Trace t = PlayFrom({2, PM, 4, 0}, kInvited, {"防波堤", "防波堤", "防波堤"});
    EXPECT_EQ(t.ItemsOf("akira01"), (std::vector<int>{45, 46, 45, 46, 45, 46}));
    EXPECT_EQ(t.clock(), (Moment{2, PM, 5, 30}));
}

TEST(Breakwater, KumiComesOnTheAfternoonOfDayThreeAfterTheGathering) {
    const std::vector<SetFlag> gathered = {{Flag::Gathering, 1},
                                           {Flag::KumisCall, 1}};  // her telephone call leaves 1
    EXPECT_EQ(Misses(kBreakwater,
                     {{{3, PM, 2, 30}, gathered, true},
                      {{3, PM, 5, 0}, gathered, true},
                      {{3, PM, 2, 0}, gathered, false},
                      {{3, PM, 5, 30}, gathered, false},
                      {{3, PM, 2, 30}, {{Flag::KumisCall, 1}}, false},
                      {{3, PM, 2, 30}, {{Flag::Gathering, 1}, {Flag::KumisCall, 3}}, false},
                      {{4, PM, 2, 30}, gathered, false}},
                     "kumi02", Items({{17, 30}}), {Flag::KumisCall, 3}),
              "");
    Trace t = PlayFrom({3, PM, 2, 30}, gathered, kBreakwater);
    EXPECT_TRUE(t.HasRun({"MSG kumi02#17", "PORTRAIT kumi1_0.gif", "MSG kumi02#18"}));
    EXPECT_TRUE(t.HasRun({"MSG kumi02#29", "HIDE", "CLOCK 日付３.gif|PM 3:00|防波堤.gif", "HIDE",
                          "SCENE bouhatei.jpg", "MSG kumi02#30"}));
}

TEST(Breakwater, HitomiComesFromAmNineToPmTwoThirtyOfDayThree) {
    EXPECT_EQ(Misses(kBreakwater,
                     {{{3, AM, 8, 30}, {}, true},
                      {{3, AM, 11, 30}, {}, true},
                      {{3, PM, 2, 0}, {}, true},
                      {{3, AM, 8, 0}, {}, false},
                      {{3, PM, 2, 30}, {}, false},
                      {{2, AM, 10, 0}, {}, false},
                      {{4, AM, 10, 0}, {}, false}},
                     "hitomi02", Items({{1, 27}}), {Flag::HitomiBreakwaterDay, 3}),
              "");
    // Once a day; Kumi can still come later the same day after the gathering.
    Trace t = PlayFrom({3, AM, 10, 0}, {{Flag::Gathering, 1}},
                       {"防波堤", "防波堤", "アパート", "4時間寝る", "防波堤"});
    EXPECT_EQ(t.ItemsOf("hitomi02"), Items({{1, 27}}));
    EXPECT_EQ(t.ItemsOf("kumi02"), Items({{1, 15}, {17, 30}}));
    EXPECT_TRUE(t.HasRun({"MSG hitomi02#1", "PORTRAIT hitomi1_0.gif", "MSG hitomi02#2"}));
}

}  // namespace
}  // namespace velmora::test
