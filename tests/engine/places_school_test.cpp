// The school: always open. Hitomi on the afternoon of Day 1, Kaori on Day 2,
// Akira on the afternoon of Day 4.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kSchool = {"学校"};

TEST(School, AlwaysOpenAndDescribedByDay) {
    const auto said = [](Moment saved, const std::string& clock) {
        Trace t = PlayFrom(saved, {}, kSchool);
        EXPECT_TRUE(t.HasRun({"HIDE", "SCENE gakkou.jpg", clock})) << t.Text();
        EXPECT_EQ(t.LastSaid().rfind("佐々木：「", 0), 0u);
        return t.LastSaid();
    };
    EXPECT_NE(said({1, AM, 0, 0}, "CLOCK 日付１.gif|AM 0:30|学校.gif"),
              said({3, AM, 0, 0}, "CLOCK 日付３.gif|AM 0:30|学校.gif"));
}

TEST(School, HitomiOnTheAfternoonOfDayOne) {
    EXPECT_EQ(Misses(kSchool,
                     {{{1, PM, 2, 30}, {}, true},
                      {{1, PM, 6, 0}, {}, true},
                      {{1, PM, 2, 0}, {}, false},
                      {{1, PM, 6, 30}, {}, false},
                      {{1, PM, 4, 0}, {{Flag::HitomiHomeDay, 1}}, false},
                      {{2, PM, 4, 0}, {}, false}},
                     "hitomi01", Items({{60, 65}}), {Flag::HitomiHomeDay, 1}),
              "");
}

TEST(School, KaoriOnDayTwoWhetherOrNotSheWasMetAtTheCourt) {
    EXPECT_EQ(Misses(kSchool,
                     {{{2, AM, 8, 30}, {}, true},
                      {{2, PM, 5, 0}, {{Flag::KaoriParkDay, 1}}, true},
                      {{2, AM, 8, 0}, {}, false},
                      {{2, PM, 5, 30}, {}, false},
                      {{2, AM, 10, 0}, {{Flag::KaoriParkDay, 2}}, false},
                      {{3, AM, 10, 0}, {}, false}},
                     "kaori01", Items({{72, 75}}), {Flag::KaoriParkDay, 2}),
              "");
    Trace t = PlayFrom({2, AM, 10, 0}, {}, kSchool);
    EXPECT_TRUE(t.HasRun({"MSG kaori01#75", "HIDE", "CLOCK 日付２.gif|AM 10:30|学校.gif", "HIDE",
                          "SCENE gakkou.jpg", "MSG さて、どこに行こうかな・・・。"}))
        << "no closing line";
}

TEST(School, AkiraOnTheAfternoonOfDayFourWithOrWithoutTheGathering) {
    EXPECT_EQ(Misses(kSchool,
                     {{{4, AM, 11, 30}, {}, true},
                      {{4, PM, 7, 0}, {{Flag::Gathering, 1}}, true},
                      {{4, AM, 11, 0}, {}, false},
                      {{4, PM, 7, 30}, {}, false},
                      {{4, PM, 2, 0}, {{Flag::AkiraSchoolDay, 4}}, false},
                      {{3, PM, 2, 0}, {}, false}},
                     "akira03", Items({{16, 38}}), {Flag::AkiraSchoolDay, 4}),
              "");
    Trace t = PlayFrom({4, PM, 1, 0}, {}, kSchool);
    EXPECT_TRUE(t.HasRun({"MSG akira03#16", "PORTRAIT akira1_0.gif", "MSG akira03#17"}));
}

TEST(School, HitomiIsMarkedMetAsHerSceneBeginsAndKaoriAfterHerLastLine) {
    Trace hitomi = PlayFrom({1, PM, 3, 0}, {}, kSchool + CloseAfterClicks(2));
    EXPECT_EQ(hitomi.ItemsOf("hitomi01"), Items({{60, 61}})) << hitomi.Text();
    EXPECT_EQ(hitomi.flag(Flag::HitomiHomeDay), 1);
    Trace kaori = PlayFrom({2, AM, 10, 0}, {}, kSchool + CloseAfterClicks(4));
    EXPECT_EQ(kaori.ItemsOf("kaori01"), Items({{72, 75}})) << kaori.Text();
    EXPECT_EQ(kaori.flag(Flag::KaoriParkDay), 0) << "cut off at its last line";
}

}  // namespace
}  // namespace velmora::test
