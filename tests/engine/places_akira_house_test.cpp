// Akira's house: always open; after the gathering Akira is at home on Day 4.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kAkiraHouse = {"明の家"};

TEST(AkiraHouse, AlwaysOpenAndDescribedByDay) {
    const auto said = [](Moment saved) {
        Trace t = PlayFrom(saved, {}, kAkiraHouse);
        EXPECT_TRUE(t.HasRun({"HIDE", "SCENE akira.jpg"})) << t.Text();
        EXPECT_EQ(t.finalState.CurrentPlace, "明の家");
        EXPECT_EQ(t.LastSaid().rfind("佐々木：「", 0), 0u);
        return t.LastSaid();
    };
    EXPECT_EQ(said({1, AM, 3, 0}), said({2, PM, 11, 0}));
    EXPECT_NE(said({2, PM, 11, 0}), said({3, AM, 3, 0}));
}

TEST(AkiraHouse, AkiraIsHomeOnDayFourAfterTheGathering) {
    EXPECT_EQ(Misses(kAkiraHouse,
                     {{{4, AM, 8, 30}, {{Flag::Gathering, 1}}, true},
                      {{4, PM, 5, 0}, {{Flag::Gathering, 1}}, true},
                      {{4, AM, 8, 0}, {{Flag::Gathering, 1}}, false},
                      {{4, PM, 5, 30}, {{Flag::Gathering, 1}}, false},
                      {{4, PM, 1, 0}, {}, false},
                      {{3, PM, 1, 0}, {{Flag::Gathering, 1}}, false},
                      {{4, PM, 1, 0}, {{Flag::Gathering, 1}, {Flag::AkiraHomeDay, 4}}, false}},
                     "akira03", Items({{1, 14}}), {Flag::AkiraHomeDay, 4}),
              "");
    Trace t = PlayFrom({4, PM, 1, 0}, {{Flag::Gathering, 1}}, kAkiraHouse);
    EXPECT_TRUE(t.HasRun({"PORTRAIT akira1_0.gif", "MSG akira03#1"}));
    EXPECT_TRUE(t.HasRun({"MSG akira03#13", "HIDE", "CLOCK 日付４.gif|PM 1:30|明の家.gif", "HIDE",
                          "SCENE akira.jpg", "MSG akira03#14"}));
    Trace cut = PlayFrom({4, PM, 1, 0}, {{Flag::Gathering, 1}}, kAkiraHouse + CloseAfterClicks(1));
    EXPECT_EQ(cut.ItemsOf("akira03"), Items({{1, 1}}));
    EXPECT_EQ(cut.flag(Flag::AkiraHomeDay), 4) << "marked done as the scene begins";
}

}  // namespace
}  // namespace velmora::test
