// Hitomi's house, the flower shop: always open. Hitomi on Day 2, and on the
// afternoon of Day 3 for a hero who said yes to her.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kHitomiHouse = {"ひとみの家"};

TEST(HitomiHouse, AlwaysOpenAndDescribedByDay) {
    const auto said = [](Moment saved) {
        Trace t = PlayFrom(saved, {}, kHitomiHouse);
        EXPECT_TRUE(t.Has("SCENE hanaya.jpg")) << t.Text();
        EXPECT_EQ(t.finalState.CurrentPlace, "ひとみの家");
        EXPECT_EQ(t.LastSaid().rfind("佐々木：「", 0), 0u);
        return t.LastSaid();
    };
    EXPECT_NE(said({1, AM, 2, 0}), said({4, PM, 11, 0}));
}

TEST(HitomiHouse, HitomiOnDayTwo) {
    EXPECT_EQ(Misses(kHitomiHouse,
                     {{{2, AM, 8, 30}, {}, true},
                      {{2, PM, 5, 0}, {{Flag::HitomiPendantDay, 1}}, true},
                      {{2, AM, 8, 0}, {}, false},
                      {{2, PM, 5, 30}, {}, false},
                      {{2, AM, 10, 0}, {{Flag::HitomiPendantDay, 2}}, false},
                      {{1, AM, 10, 0}, {}, false}},
                     "hitomi01", Items({{66, 73}}), {Flag::HitomiPendantDay, 2}),
              "");
    Trace t = PlayFrom({2, AM, 10, 0}, {}, kHitomiHouse);
    EXPECT_TRUE(t.HasRun({"PORTRAIT hitomi1_0.gif", "MSG hitomi01#66"}));
}

TEST(HitomiHouse, HitomiOnTheAfternoonOfDayThreeOnlyAfterTheYes) {
    EXPECT_EQ(Misses(kHitomiHouse,
                     {{{3, PM, 2, 30}, {{Flag::HitomisAnswer, 1}}, true},
                      {{3, PM, 7, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiHomeDay, 2}}, true},
                      {{3, PM, 2, 0}, {{Flag::HitomisAnswer, 1}}, false},
                      {{3, PM, 7, 30}, {{Flag::HitomisAnswer, 1}}, false},
                      {{3, PM, 4, 0}, {{Flag::HitomisAnswer, 2}}, false},
                      {{3, PM, 4, 0}, {}, false},
                      {{3, PM, 4, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiHomeDay, 3}}, false},
                      {{4, PM, 4, 0}, {{Flag::HitomisAnswer, 1}}, false}},
                     "hitomi02", Items({{51, 68}}), {Flag::HitomiHomeDay, 3}),
              "");
    Trace t = PlayFrom({3, PM, 4, 0}, {{Flag::HitomisAnswer, 1}}, kHitomiHouse);
    EXPECT_TRUE(t.HasRun({"MSG hitomi02#67", "HIDE", "CLOCK 日付３.gif|PM 4:30|ひとみの家.gif",
                          "HIDE", "SCENE hanaya.jpg", "MSG hitomi02#68"}));
}

TEST(HitomiHouse, TheDayTwoVisitIsMarkedAsItBeginsTheDayThreeOneAsItEnds) {
    Trace two = PlayFrom({2, AM, 10, 0}, {}, kHitomiHouse + CloseAfterClicks(2));
    EXPECT_EQ(two.ItemsOf("hitomi01"), Items({{66, 67}})) << two.Text();
    EXPECT_EQ(two.flag(Flag::HitomiPendantDay), 2);
    Trace three =
        PlayFrom({3, PM, 4, 0}, {{Flag::HitomisAnswer, 1}}, kHitomiHouse + CloseAfterClicks(18));
    EXPECT_EQ(three.ItemsOf("hitomi02"), Items({{51, 68}})) << three.Text();
    EXPECT_EQ(three.flag(Flag::HitomiHomeDay), 0) << "cut off at its last line";
}

}  // namespace
}  // namespace velmora::test
