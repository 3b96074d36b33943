// The bento shop: open around the clock, the girl at the counter from PM 1:00
// to PM 6:30, and her talks rationed by the days begun.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const std::vector<int> kNone;
const std::vector<int> kQuiet = {22};

// Her lines at each visit that had any, in order.
std::vector<std::vector<int>> Talks(const Trace& t) {
    std::vector<std::vector<int>> talks;
    for (const std::vector<int>& turn : t.ItemsByTurn("ryouko01")) {
        if (!turn.empty()) talks.push_back(turn);
    }
    return talks;
}

TEST(BentoShop, TheGirlIsAtTheCounterFromPmOneToPmSixThirty) {
    struct Case {
        Moment saved;
        bool there;
    };
    const Case cases[] = {{{1, PM, 0, 30}, true},  {{1, PM, 6, 0}, true},  {{1, PM, 0, 0}, false},
                          {{1, PM, 6, 30}, false}, {{1, AM, 1, 0}, false}, {{3, AM, 2, 30}, false}};
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, {}, {"弁当屋"});
        SCOPED_TRACE(t.Text());
        EXPECT_TRUE(t.Has("SCENE hokabenya.jpg")) << "open around the clock";
        EXPECT_EQ(t.flag(Flag::BentoTalks), c.there ? 1 : 0);
        Moment after = c.saved;
        after.minute += 30;
        if (after.minute == 60) {
            after.minute = 0;
            after.hour += 1;
        }
        EXPECT_EQ(t.clock(), after) << "no branch takes time";
        if (!c.there) {
            EXPECT_TRUE(t.ItemsOf("ryouko01").empty());
            EXPECT_EQ(t.LastSaid().rfind("「", 0), 0u) << "a thought, not the description";
        }
    }
}

TEST(BentoShop, ACountedVisitGreetsTheHeroAndSaysTheLinesOfTheDay) {
    struct Case {
        Moment saved;
        std::vector<SetFlag> flags;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {{1, PM, 2, 0}, {}, Items({{1, 12}, {15, 16}, {19, 19}})},
        {{2, PM, 2, 0}, {}, Items({{1, 12}, {17, 19}})},
        {{2, PM, 2, 0}, {{Flag::BentoTalks, 1}}, Items({{1, 3}, {10, 10}, {17, 19}})},
        {{3, PM, 2, 0}, {{Flag::BentoTalks, 2}}, Items({{1, 3}, {10, 10}, {28, 32}})},
        {{4, PM, 2, 0},
         {{Flag::BentoTalks, 3}, {Flag::BentoTalksFromDay3, 1}},
         Items({{1, 3}, {10, 10}, {33, 35}})},
        {{4, PM, 2, 0}, {}, Items({{1, 12}, {33, 35}})},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"弁当屋"});
        EXPECT_EQ(t.ItemsOf("ryouko01"), c.lines) << t.Text();
    }
    Trace t = PlayFrom({1, PM, 2, 0}, {}, {"弁当屋"});
    EXPECT_TRUE(t.HasRun({"CLOCK 日付１.gif|PM 2:30|弁当屋.gif", "HIDE",
                          "CLOCK 日付１.gif|PM 2:30|弁当屋.gif", "HIDE", "SCENE hokabenya.jpg"}));
    const int portrait = t.Find("PORTRAIT ryouko1_0.gif");
    ASSERT_GE(portrait, 2);
    EXPECT_EQ(t.lines[portrait - 2].rfind("MSG 佐々木：「", 0), 0u)
        << "the hero describes the shop";
    EXPECT_EQ(t.lines[portrait + 1], "MSG ryouko01#1");
    EXPECT_TRUE(t.HasRun({"MSG ryouko01#16", "HIDE", "CLOCK 日付１.gif|PM 2:30|弁当屋.gif", "HIDE",
                          "SCENE hokabenya.jpg", "MSG ryouko01#19"}));
}

TEST(BentoShop, OneCountedVisitForEachDayBegun) {
    // None on Day 1, so two on Day 2; one on Day 3; one on Day 4.
    Trace t = PlayFrom(
        {2, PM, 0, 30}, {},
        {"弁当屋", "弁当屋", "弁当屋", "アパート", "12時間寝る", "アパート", "10時間寝る", "弁当屋",
         "弁当屋", "アパート", "12時間寝る", "アパート", "10時間寝る", "弁当屋", "弁当屋"});
    EXPECT_EQ(Talks(t), (std::vector<std::vector<int>>{
                            Items({{1, 12}, {17, 19}}), Items({{1, 3}, {10, 10}, {17, 19}}), kQuiet,
                            Items({{1, 3}, {10, 10}, {28, 32}}), kQuiet,
                            Items({{1, 3}, {10, 10}, {33, 35}}), kQuiet}))
        << t.Text();
    EXPECT_EQ(t.flag(Flag::BentoTalks), 4);
    EXPECT_EQ(t.flag(Flag::BentoTalksFromDay3), 2);
}

TEST(BentoShop, ADayWithoutATalkCanBeMadeUpWithinTheLimits) {
    struct Case {
        const char* about;
        Moment saved;
        std::vector<SetFlag> flags;
        std::vector<std::vector<int>> visits;  // her lines at three visits
    };
    const Case cases[] = {
        {"Day 1: once", {1, PM, 1, 0}, {}, {Items({{1, 12}, {15, 16}, {19, 19}}), kQuiet, kQuiet}},
        {"Day 2 after one on Day 1",
         {2, PM, 1, 0},
         {{Flag::BentoTalks, 1}},
         {Items({{1, 3}, {10, 10}, {17, 19}}), kQuiet, kQuiet}},
        {"Day 3 after none at all: still once",
         {3, PM, 1, 0},
         {},
         {Items({{1, 12}, {28, 32}}), kQuiet, kQuiet}},
        {"Day 4 after none on Day 3: twice",
         {4, PM, 1, 0},
         {{Flag::BentoTalks, 2}},
         {Items({{1, 3}, {10, 10}, {33, 35}}), Items({{1, 3}, {10, 10}, {33, 35}}), kQuiet}},
        {"Day 4 after one on Day 3: once",
         {4, PM, 1, 0},
         {{Flag::BentoTalks, 3}, {Flag::BentoTalksFromDay3, 1}},
         {Items({{1, 3}, {10, 10}, {33, 35}}), kQuiet, kQuiet}},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"弁当屋", "弁当屋", "弁当屋"});
        EXPECT_EQ(Talks(t), c.visits) << c.about << "\n" << t.Text();
    }
}

TEST(BentoShop, AQuietVisitShowsTheShopAndOneLine) {
    Trace t = PlayFrom({1, PM, 2, 0}, {{Flag::BentoTalks, 1}}, {"弁当屋"});
    EXPECT_EQ(t.ItemsOf("ryouko01"), kQuiet);
    EXPECT_TRUE(t.HasRun({"HIDE", "CLOCK 日付１.gif|PM 2:30|弁当屋.gif", "HIDE",
                          "SCENE hokabenya.jpg", "MSG ryouko01#22"}));
    EXPECT_TRUE(t.LinesStarting("PORTRAIT ").empty());
    EXPECT_EQ(t.flag(Flag::BentoTalks), 1);
    EXPECT_EQ(kNone,
              PlayFrom({1, PM, 7, 0}, {{Flag::BentoTalks, 1}}, {"弁当屋"}).ItemsOf("ryouko01"));
}

}  // namespace
}  // namespace velmora::test
