// The PC shop: open AM 8:00 to PM 8:30. Hitomi on Day 2, Akira on the
// morning of Day 3.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const Decisions kPcShop = {"パソコンショップ"};

TEST(PcShop, OpenFromAmEightToPmEightThirty) {
    const std::pair<Moment, bool> cases[] = {{{1, AM, 7, 30}, true},
                                             {{1, PM, 8, 0}, true},
                                             {{1, AM, 7, 0}, false},
                                             {{1, PM, 8, 30}, false}};
    for (const auto& [saved, open] : cases) {
        Trace t = PlayFrom(saved, {}, kPcShop);
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.LinesStarting("SCENE ").back(), open ? "SCENE pasokon.jpg" : "SCENE -");
        EXPECT_EQ(t.LastSaid().rfind(open ? "佐々木：「" : "「", 0), 0u);
        EXPECT_EQ(t.finalState.CurrentPlace, "ﾊﾟｿｺﾝｼｮｯﾌﾟ");
    }
}

TEST(PcShop, HitomiOnDayTwoWhetherOrNotSheWasMetAtTheSchool) {
    EXPECT_EQ(Misses(kPcShop,
                     {{{2, AM, 8, 30}, {}, true},
                      {{2, PM, 5, 0}, {{Flag::HitomiHomeDay, 1}}, true},
                      {{2, AM, 8, 0}, {}, false},
                      {{2, PM, 5, 30}, {}, false},
                      {{2, AM, 10, 0}, {{Flag::HitomiHomeDay, 2}}, false},
                      {{3, PM, 1, 0}, {}, false}},
                     "hitomi01", Items({{74, 77}}), {Flag::HitomiHomeDay, 2}),
              "");
    Trace t = PlayFrom({2, AM, 10, 0}, {}, kPcShop);
    EXPECT_TRUE(t.HasRun({"MSG hitomi01#76", "HIDE", "CLOCK 日付２.gif|AM 10:30|ﾊﾟｿｺﾝｼｮｯﾌﾟ.gif",
                          "HIDE", "SCENE pasokon.jpg", "MSG hitomi01#77"}));
}

TEST(PcShop, AkiraOnTheMorningOfDayThree) {
    EXPECT_EQ(Misses(kPcShop,
                     {{{3, AM, 8, 30}, {}, true},
                      {{3, AM, 11, 0}, {}, true},
                      {{3, AM, 8, 0}, {}, false},
                      {{3, AM, 11, 30}, {}, false},
                      {{3, AM, 10, 0}, {{Flag::AkiraPcShopDay, 3}}, false},
                      {{4, AM, 10, 0}, {}, false}},
                     "akira02", Items({{1, 21}}), {Flag::AkiraPcShopDay, 3}),
              "");
    Trace t = PlayFrom({3, AM, 10, 0}, {}, kPcShop);
    EXPECT_TRUE(t.HasRun({"MSG akira02#1", "PORTRAIT akira1_0.gif", "MSG akira02#2"}));
}

TEST(PcShop, ScenesAreMarkedDoneAsTheyBegin) {
    Trace hitomi = PlayFrom({2, AM, 10, 0}, {}, kPcShop + CloseAfterClicks(1));
    EXPECT_EQ(hitomi.ItemsOf("hitomi01"), Items({{74, 74}})) << hitomi.Text();
    EXPECT_EQ(hitomi.flag(Flag::HitomiHomeDay), 2);
    Trace akira = PlayFrom({3, AM, 10, 0}, {}, kPcShop + CloseAfterClicks(1));
    EXPECT_EQ(akira.ItemsOf("akira02"), Items({{1, 1}})) << akira.Text();
    EXPECT_EQ(akira.flag(Flag::AkiraPcShopDay), 3);
}

}  // namespace
}  // namespace velmora::test
