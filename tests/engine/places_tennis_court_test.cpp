// The tennis court: nobody plays before AM 9:00 or from PM 7:00. Kaori on
// Days 1 and 4, Hitomi on Days 2 and 3.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kCourt = {"テニスコート"};

TEST(TennisCourt, NobodyIsThereBeforeAmNineOrFromPmSeven) {
    const std::pair<Moment, bool> cases[] = {{{2, AM, 8, 30}, true},
                                             {{2, PM, 6, 0}, true},
                                             {{2, AM, 8, 0}, false},
                                             {{2, PM, 6, 30}, false}};
    for (const auto& [saved, open] : cases) {
        Trace t = PlayFrom(saved, {}, kCourt);
        SCOPED_TRACE(t.Text());
        const std::string scene = open ? "SCENE tenisu.jpg" : "SCENE -";
        EXPECT_EQ(t.LinesStarting("SCENE ").back(), scene);
        const std::string clock = t.lines[t.Find(scene, t.Find("SCENE -") + 1) + 1];
        EXPECT_EQ(clock.substr(clock.rfind('|')), "|ﾃﾆｽｺｰﾄ.gif");
        EXPECT_EQ(t.LastSaid().rfind(open ? "佐々木：「" : "「", 0), 0u);
        EXPECT_EQ(t.finalState.CurrentPlace, "ﾃﾆｽｺｰﾄ");
    }
}

TEST(TennisCourt, KaoriIsMetOnDayOneUntilPmThreeThirty) {
    EXPECT_EQ(Misses(kCourt,
                     {{{1, AM, 8, 30}, {}, true},
                      {{1, PM, 3, 0}, {}, true},
                      {{1, PM, 3, 30}, {}, false},
                      {{2, AM, 10, 0}, {}, false},
                      {{1, AM, 10, 0}, {{Flag::KaoriParkDay, 1}}, false}},
                     "kaori01", Items({{1, 19}}), {Flag::KaoriParkDay, 1}),
              "");
    Trace t = PlayFrom({1, AM, 10, 0}, {}, kCourt);
    EXPECT_TRUE(t.HasRun({"MSG kaori01#18", "HIDE", "CLOCK 日付１.gif|AM 10:30|ﾃﾆｽｺｰﾄ.gif", "HIDE",
                          "SCENE tenisu.jpg", "MSG kaori01#19"}));
}

TEST(TennisCourt, HitomiOnDayTwoOnlyAfterTheYes) {
    EXPECT_EQ(
        Misses(
            kCourt,
            {{{2, AM, 8, 30}, {{Flag::HitomisAnswer, 1}}, true},
             {{2, PM, 5, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiBreakwaterDay, 1}}, true},
             {{2, PM, 5, 30}, {{Flag::HitomisAnswer, 1}}, false},
             {{2, AM, 10, 0}, {{Flag::HitomisAnswer, 2}}, false},
             {{2, AM, 10, 0}, {}, false},
             {{2, AM, 10, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiBreakwaterDay, 2}}, false}},
            "hitomi01", Items({{36, 43}}), {Flag::HitomiBreakwaterDay, 2}),
        "");
    Trace t = PlayFrom({2, AM, 10, 0}, {{Flag::HitomisAnswer, 1}}, kCourt);
    EXPECT_TRUE(t.HasRun({"MSG hitomi01#43", "HIDE", "CLOCK 日付２.gif|AM 10:30|ﾃﾆｽｺｰﾄ.gif", "HIDE",
                          "SCENE tenisu.jpg", "MSG さて、どこに行こうかな・・・。"}));
}

TEST(TennisCourt, HitomiOnDayThreeWhateverTheAnswer) {
    EXPECT_EQ(
        Misses(kCourt,
               {{{3, AM, 8, 30}, {}, true},
                {{3, PM, 5, 0}, {{Flag::HitomisAnswer, 2}}, true},
                {{3, AM, 10, 0}, {{Flag::HitomisAnswer, 1}, {Flag::HitomiPendantDay, 2}}, true},
                {{3, PM, 5, 30}, {}, false},
                {{3, AM, 10, 0}, {{Flag::HitomiPendantDay, 3}}, false},
                {{4, AM, 10, 0}, {}, false}},
               "hitomi02", Items({{29, 48}}), {Flag::HitomiPendantDay, 3}),
        "");
}

TEST(TennisCourt, KaoriOnTheMorningOfDayFourSaysTwoMoreLinesAfterTheGathering) {
    const std::vector<When> morning = {{{4, AM, 8, 30}, {}, true},
                                       {{4, AM, 11, 0}, {{Flag::KaoriMorningDay, 3}}, true},
                                       {{4, AM, 11, 30}, {}, false},
                                       {{4, AM, 10, 0}, {{Flag::KaoriMorningDay, 4}}, false}};
    std::vector<When> gathered = morning;
    for (When& w : gathered) w.story.push_back({Flag::Gathering, 1});
    EXPECT_EQ(Misses(kCourt, gathered, "kaori02", Items({{39, 49}}), {Flag::KaoriMorningDay, 4}),
              "");
    EXPECT_EQ(
        Misses(kCourt, morning, "kaori02", Items({{39, 45}, {48, 49}}), {Flag::KaoriMorningDay, 4}),
        "");
    Trace t = PlayFrom({4, AM, 10, 0}, {}, kCourt);
    EXPECT_TRUE(t.HasRun({"MSG kaori02#39", "PORTRAIT kaori1_0.gif", "MSG kaori02#40"}));
}

TEST(TennisCourt, HitomiIsMarkedMetAsHerSceneBeginsAndKaoriAsHersEnds) {
    // The window closes after the description and two lines of the scene.
    Trace hitomi =
        PlayFrom({2, AM, 9, 0}, {{Flag::HitomisAnswer, 1}}, kCourt + CloseAfterClicks(2));
    EXPECT_EQ(hitomi.ItemsOf("hitomi01"), Items({{36, 37}})) << hitomi.Text();
    EXPECT_EQ(hitomi.flag(Flag::HitomiBreakwaterDay), 2);
    Trace kaori = PlayFrom({1, AM, 9, 0}, {}, kCourt + CloseAfterClicks(2));
    EXPECT_EQ(kaori.ItemsOf("kaori01"), Items({{1, 2}})) << kaori.Text();
    EXPECT_EQ(kaori.flag(Flag::KaoriParkDay), 0);
}

}  // namespace
}  // namespace velmora::test
