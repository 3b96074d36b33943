// Serubia: open AM 9:00 to PM 8:30; Hitomi's question and her afternoon on
// Day 1, Kaori on Days 1 and 3, and the pendant on the afternoon of Day 4.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kSerubia = {"セルビア"};

TEST(Serubia, OpenFromAmNineToPmEightThirty) {
    const When cases[] = {{{2, AM, 8, 30}, {}, true},
                          {{2, PM, 8, 0}, {}, true},
                          {{2, AM, 8, 0}, {}, false},
                          {{2, PM, 8, 30}, {}, false}};
    for (const When& c : cases) {
        Trace t = PlayFrom(c.saved, c.story, {"セルビア"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.Has("SCENE serubia.jpg"), c.plays);
        EXPECT_EQ(t.LastSaid().rfind(c.plays ? "佐々木：「" : "「", 0), 0u);
        if (!c.plays) {
            EXPECT_TRUE(t.HasRun({"HIDE", "SCENE -"}));
        }
    }
}

TEST(Serubia, HitomiAsksHerQuestionFromAmNineToPmTwoThirtyOfDayOne) {
    const When cases[] = {
        {{1, AM, 8, 30}, {}, true},
        {{1, PM, 1, 0}, {}, true},
        {{1, PM, 2, 0}, {}, true},
        {{1, AM, 8, 0}, {}, false},
        {{1, PM, 2, 30}, {}, false},
        {{2, AM, 10, 0}, {}, false},
        {{1, AM, 10, 0}, {{Flag::HitomisAnswer, 1}}, false},
    };
    for (const When& c : cases) {
        Trace t = PlayFrom(c.saved, c.story, {"セルビア", "yes"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.LinesStarting("YESNO?").size(), c.plays ? 3u : 2u)
            << "after the two of the load";
    }
    // At PM 1:30 her question comes, her afternoon not yet.
    Trace t = PlayFrom({1, PM, 1, 0}, {}, {"セルビア", "no"});
    EXPECT_EQ(t.ItemsOf("hitomi01"), Items({{1, 17}, {27, 35}}));
}

TEST(Serubia, TheAnswerIsRecordedAndTheSceneEndsWithoutADismiss) {
    struct Answer {
        const char* given;
        int16_t recorded;
        std::vector<int> lines;
        std::vector<std::string> ending;
    };
    const Answer answers[] = {
        {"yes",
         1,
         Items({{1, 26}}),
         {"MSG hitomi01#25", "HIDE", "SCENE serubia.jpg", "MSG hitomi01#26"}},
        {"no",
         2,
         Items({{1, 17}, {27, 35}}),
         {"MSG hitomi01#34", "HIDE", "SCENE serubia.jpg", "MSG hitomi01#35"}},
        {"close",
         2,
         Items({{1, 17}, {27, 35}}),
         {"MSG hitomi01#34", "HIDE", "SCENE serubia.jpg", "MSG hitomi01#35"}},
    };
    for (const Answer& a : answers) {
        Trace t = PlayFrom({1, AM, 10, 0}, {}, {"セルビア", a.given, "セルビア", "公園"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.flag(Flag::HitomisAnswer), a.recorded);
        EXPECT_EQ(t.ItemsOf("hitomi01"), a.lines) << "asked once, here or at the park";
        EXPECT_TRUE(t.HasRun({"MSG hitomi01#17", "YESNO?"}));
        EXPECT_TRUE(t.HasRun(a.ending));
    }
}

TEST(Serubia, HitomiOnTheAfternoonOfDayOneAndKaoriAfterHer) {
    struct Afternoon {
        Moment saved;
        std::vector<SetFlag> story;
        std::vector<int> hitomi;
        std::vector<int> kaori;
    };
    const std::vector<int> hitomi = Items({{44, 49}});
    const std::vector<int> hitomiAfterYes = Items({{44, 50}});
    const std::vector<int> kaori = Items({{20, 30}});
    const Afternoon cases[] = {
        {{1, PM, 2, 30}, {{Flag::HitomisAnswer, 2}}, hitomi, {}},  // PM 3:00
        {{1, PM, 3, 0}, {{Flag::HitomisAnswer, 1}}, hitomiAfterYes, {}},
        {{1, PM, 3, 30},
         {{Flag::HitomisAnswer, 2}},
         hitomi,
         kaori},  // both in one visit at PM 4:00
        {{1, PM, 7, 0}, {{Flag::HitomisAnswer, 1}}, hitomiAfterYes, kaori},
        {{1, PM, 7, 30}, {{Flag::HitomisAnswer, 1}}, {}, {}},
        {{1, PM, 5, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiPendantDay, 1}}, {}, kaori},
        {{1, PM, 5, 0},
         {{Flag::HitomisAnswer, 1}, {Flag::KaoriApartmentDay, 1}},
         hitomiAfterYes,
         {}},
        {{2, PM, 5, 0}, {{Flag::HitomisAnswer, 1}}, {}, {}},
    };
    for (const Afternoon& c : cases) {
        Trace t = PlayFrom(c.saved, c.story, {"セルビア"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("hitomi01"), c.hitomi);
        EXPECT_EQ(t.ItemsOf("kaori01"), c.kaori);
    }
    Trace t = PlayFrom({1, PM, 3, 30}, {{Flag::HitomisAnswer, 1}}, {"セルビア", "セルビア"});
    EXPECT_EQ(t.ItemsOf("hitomi01"), hitomiAfterYes) << "once only";
    EXPECT_EQ(t.ItemsOf("kaori01"), kaori) << "once only";
    EXPECT_EQ(t.flag(Flag::HitomiPendantDay), 1);
    EXPECT_EQ(t.flag(Flag::KaoriApartmentDay), 1);
    EXPECT_TRUE(
        t.HasRun({"MSG hitomi01#48", "HIDE", "SCENE serubia.jpg", "MSG hitomi01#49",
                  "MSG hitomi01#50", "MSG kaori01#20", "PORTRAIT kaori1_0.gif", "MSG kaori01#21"}));
    EXPECT_TRUE(t.HasRun({"MSG kaori01#29", "HIDE", "SCENE serubia.jpg", "MSG kaori01#30"}));
}

TEST(Serubia, KaoriOnTheMorningOfDayThree) {
    EXPECT_EQ(Misses(kSerubia,
                     {{{3, AM, 8, 30}, {}, true},
                      {{3, AM, 11, 0}, {{Flag::KaoriMorningDay, 1}}, true},
                      {{3, AM, 11, 30}, {}, false},
                      {{4, AM, 10, 0}, {}, false},
                      {{3, AM, 10, 0}, {{Flag::KaoriMorningDay, 3}}, false}},
                     "kaori02", Items({{1, 9}}), {Flag::KaoriMorningDay, 3}),
              "");
    Trace t = PlayFrom({3, AM, 9, 0}, {}, kSerubia);
    EXPECT_TRUE(t.HasRun({"MSG kaori02#8", "HIDE", "CLOCK 日付３.gif|AM 9:30|セルビア.gif", "HIDE",
                          "SCENE serubia.jpg", "MSG kaori02#9"}));
}

TEST(Serubia, ThePendantOnDayFourNeedsTheYesToHitomi) {
    EXPECT_EQ(
        Misses(kSerubia,
               {{{4, AM, 11, 30}, {{Flag::HitomisAnswer, 1}}, true},
                {{4, PM, 2, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiPendantDay, 3}}, true},
                {{4, AM, 11, 0}, {{Flag::HitomisAnswer, 1}}, false},
                {{4, PM, 2, 30}, {{Flag::HitomisAnswer, 1}}, false},
                {{4, PM, 1, 0}, {{Flag::HitomisAnswer, 2}}, false},
                {{4, PM, 1, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiPendantDay, 4}}, false},
                {{3, PM, 1, 0}, {{Flag::HitomisAnswer, 1}, {Flag::KaoriMorningDay, 3}}, false}},
               "hitomi03", Items({{1, 41}, {51, 52}, {59, 68}}), {Flag::HitomisAnswer, 3}),
        "");
}

TEST(Serubia, ThePendantSceneInFull) {
    Trace t =
        PlayFrom({4, PM, 0, 0},
                 {{Flag::HitomisAnswer, 1}, {Flag::HitomiPendantDay, 3}, {Flag::KaoriParkDay, 3}},
                 {"セルビア", "セルビア"});
    SCOPED_TRACE(t.Text());
    EXPECT_EQ(t.ItemsOf("hitomi03"), Items({{1, 41}, {51, 52}, {59, 68}})) << "once only";
    EXPECT_EQ(t.ItemsOf("kaori02"), Items({{50, 63}}));
    EXPECT_EQ(t.flag(Flag::HitomisAnswer), 3);
    EXPECT_EQ(t.flag(Flag::HitomiPendantDay), 4);
    EXPECT_EQ(t.flag(Flag::KaoriParkDay), 4);
    EXPECT_TRUE(t.HasRun({"MSG hitomi03#1", "PORTRAIT hitomi1_0.gif", "MSG hitomi03#2"}));
    EXPECT_TRUE(t.HasRun({"MSG hitomi03#40", "HIDE", "CLOCK 日付４.gif|PM 0:30|セルビア.gif",
                          "HIDE", "SCENE serubia.jpg", "MSG hitomi03#41", "MSG kaori02#50",
                          "PORTRAIT kaori1_0.gif", "MSG kaori02#51"}));
    EXPECT_TRUE(t.HasRun({"MSG kaori02#62", "HIDE", "CLOCK 日付４.gif|PM 0:30|セルビア.gif", "HIDE",
                          "SCENE serubia.jpg", "MSG kaori02#63", "MSG hitomi03#51"}));
    // Eight thoughts of the hero's own between Hitomi's lines 52 and 59.
    const std::vector<std::string> steps = t.Steps();
    const auto from = std::find(steps.begin(), steps.end(), "MSG hitomi03#52");
    const auto to = std::find(steps.begin(), steps.end(), "MSG hitomi03#59");
    ASSERT_EQ(to - from, 9);
    for (auto thought = from + 1; thought != to; ++thought) {
        EXPECT_EQ(thought->rfind("MSG 「", 0), 0u) << *thought;
        EXPECT_EQ(thought->substr(thought->size() - 3), "」");
    }
    EXPECT_TRUE(t.HasRun({"MSG hitomi03#68", kMenuPrompt})) << "no closing picture";
}

}  // namespace
}  // namespace velmora::test
