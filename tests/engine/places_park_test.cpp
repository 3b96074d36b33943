// The park: open AM 6:00 to PM 6:30; Hitomi's question and her afternoon on
// Day 1, Kaori on Day 3 (with Akira after the gathering), Satsuki on Day 4.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kPark = {"公園"};

TEST(Park, OpenFromAmSixToPmSixThirty) {
    const When cases[] = {{{1, AM, 5, 30}, {}, true},
                          {{2, PM, 6, 0}, {}, true},
                          {{1, AM, 5, 0}, {}, false},
                          {{2, PM, 6, 30}, {}, false},
                          {{3, AM, 0, 0}, {}, false}};
    for (const When& c : cases) {
        Trace t = PlayFrom(c.saved, c.story, kPark);
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.Has("SCENE kouen.jpg"), c.plays);
        EXPECT_EQ(t.LastSaid().rfind(c.plays ? "佐々木：「" : "「", 0), 0u);
        if (!c.plays) {
            EXPECT_TRUE(t.HasRun({"HIDE", "SCENE -"}));
        }
    }
    EXPECT_NE(PlayFrom({2, AM, 7, 0}, {}, kPark).LastSaid(),
              PlayFrom({3, AM, 7, 0}, {}, kPark).LastSaid());
}

TEST(Park, HitomiAsksHerQuestionOnTheMorningOfDayOneOrFromPmTwoToPmTwoThirty) {
    const When cases[] = {
        {{1, AM, 8, 30}, {}, true},  {{1, AM, 11, 0}, {}, true},
        {{1, PM, 1, 30}, {}, true},  {{1, PM, 2, 0}, {}, true},
        {{1, AM, 8, 0}, {}, false},  {{1, AM, 11, 30}, {}, false},
        {{1, PM, 1, 0}, {}, false},  {{1, PM, 2, 30}, {}, false},
        {{2, AM, 10, 0}, {}, false}, {{1, AM, 10, 0}, {{Flag::HitomisAnswer, 2}}, false},
    };
    for (const When& c : cases) {
        Trace t = PlayFrom(c.saved, c.story, {"公園", "yes"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.LinesStarting("YESNO?").size(), c.plays ? 3u : 2u)
            << "after the two of the load";
        EXPECT_EQ(!t.ItemsOf("hitomi01").empty() && t.ItemsOf("hitomi01")[0] == 1, c.plays);
    }
    // At PM 2:00 her question comes and her afternoon scene does not.
    Trace t = PlayFrom({1, PM, 1, 30}, {}, {"公園", "yes"});
    EXPECT_EQ(t.ItemsOf("hitomi01"), Items({{1, 26}}));
}

TEST(Park, TheAnswerDecidesHitomisRoute) {
    struct Answer {
        const char* given;
        int16_t recorded;
        std::vector<std::string> ending;
    };
    const Answer answers[] = {
        {"yes",
         1,
         {"MSG hitomi01#25", "HIDE", "CLOCK 日付１.gif|AM 10:00|公園.gif", "HIDE",
          "SCENE kouen.jpg", "MSG hitomi01#26"}},
        {"no", 2, {"MSG hitomi01#34", "HIDE", "SCENE kouen.jpg", "MSG hitomi01#35"}},
        {"close", 2, {"MSG hitomi01#34", "HIDE", "SCENE kouen.jpg", "MSG hitomi01#35"}},
    };
    for (const Answer& a : answers) {
        Trace t = PlayFrom({1, AM, 9, 30}, {}, {"公園", a.given, "公園"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.flag(Flag::HitomisAnswer), a.recorded);
        EXPECT_EQ(t.ItemsOf("hitomi01"),
                  a.recorded == 1 ? Items({{1, 26}}) : Items({{1, 17}, {27, 35}}));
        EXPECT_TRUE(t.HasRun({"PORTRAIT hitomi1_0.gif", "MSG hitomi01#1"}));
        EXPECT_TRUE(t.HasRun({"MSG hitomi01#17", "YESNO?"}));
        EXPECT_TRUE(t.HasRun(a.ending));
        EXPECT_EQ(t.LinesStarting("YESNO?").size(), 3u) << "the two of the load and hers, once";
    }
}

TEST(Park, HitomisAfternoonOnDayOne) {
    EXPECT_EQ(Misses(kPark,
                     {{{1, PM, 2, 30}, {}, true},
                      {{1, PM, 6, 0}, {{Flag::HitomisAnswer, 1}}, true},
                      {{1, PM, 2, 0}, {{Flag::HitomisAnswer, 1}}, false},
                      {{1, PM, 6, 30}, {}, false},
                      {{1, PM, 4, 0}, {{Flag::HitomiBreakwaterDay, 1}}, false},
                      {{2, PM, 4, 0}, {}, false}},
                     "hitomi01", Items({{51, 59}}), {Flag::HitomiBreakwaterDay, 1}),
              "");
    Trace t = PlayFrom({1, PM, 3, 0}, {}, kPark);
    EXPECT_TRUE(t.HasRun({"MSG hitomi01#57", "HIDE", "CLOCK 日付１.gif|PM 3:30|公園.gif", "HIDE",
                          "SCENE kouen.jpg", "MSG hitomi01#58"}));
}

TEST(Park, KaoriOnDayThreeWithAkiraOnlyAfterTheGathering) {
    // Each scene's exact lines show that the other one did not play too.
    EXPECT_EQ(Misses(kPark,
                     {{{3, AM, 11, 30}, {{Flag::Gathering, 1}}, true},
                      {{3, PM, 5, 0}, {{Flag::Gathering, 1}, {Flag::KaoriParkDay, 2}}, true},
                      {{3, AM, 11, 0}, {{Flag::Gathering, 1}}, false},
                      {{3, PM, 5, 30}, {{Flag::Gathering, 1}}, false},
                      {{3, PM, 2, 0}, {{Flag::Gathering, 1}, {Flag::KaoriParkDay, 3}}, false}},
                     "kaori02", Items({{10, 26}}), {Flag::KaoriParkDay, 3}),
              "");
    EXPECT_EQ(Misses(kPark,
                     {{{3, AM, 11, 30}, {}, true},
                      {{3, PM, 5, 0}, {{Flag::KaoriParkDay, 1}}, true},
                      {{3, AM, 11, 0}, {}, false},
                      {{3, PM, 5, 30}, {}, false},
                      {{4, PM, 2, 0}, {}, false}},
                     "kaori02", Items({{28, 37}}), {Flag::KaoriParkDay, 3}),
              "");
    Trace t = PlayFrom({3, PM, 1, 0}, {{Flag::Gathering, 1}}, kPark);
    EXPECT_EQ(t.LinesStarting("PORTRAIT "),
              (std::vector<std::string>{"PORTRAIT kaori1_0.gif", "PORTRAIT akira1_0.gif",
                                        "PORTRAIT kaori1_0.gif"}));
    EXPECT_TRUE(t.HasRun({"MSG kaori02#15", "HIDE", "SCENE kouen.jpg", "PORTRAIT akira1_0.gif"}));
    Trace a = PlayFrom({3, PM, 1, 0}, {}, kPark);
    EXPECT_TRUE(a.HasRun({"MSG kaori02#28", "PORTRAIT kaori1_0.gif", "MSG kaori02#29"}));
}

TEST(Park, SatsukiDrawsOnTheAfternoonOfDayFourAfterTheGathering) {
    EXPECT_EQ(Misses(kPark,
                     {{{4, AM, 11, 30}, {{Flag::Gathering, 1}}, true},
                      {{4, PM, 6, 0}, {{Flag::Gathering, 1}}, true},
                      {{4, AM, 11, 0}, {{Flag::Gathering, 1}}, false},
                      {{4, PM, 6, 30}, {{Flag::Gathering, 1}}, false},
                      {{4, PM, 2, 0}, {}, false},
                      {{3, PM, 2, 0}, {{Flag::Gathering, 1}, {Flag::KaoriParkDay, 3}}, false}},
                     "satuki02", Items({{17, 43}}), {Flag::SatsukiParkDay, 4}),
              "");
    Trace t = PlayFrom({4, PM, 1, 0}, {{Flag::Gathering, 1}}, kPark);
    EXPECT_TRUE(t.HasRun({"SCENE kouen.jpg", "MSG satuki02#29"}));
    EXPECT_TRUE(t.HasRun({"MSG satuki02#31", "PORTRAIT satuki1_0.gif", "MSG satuki02#32"}));
    EXPECT_EQ(t.clock(), (Moment{4, PM, 1, 30})) << "no scene of the park takes time";
}

}  // namespace
}  // namespace velmora::test
