// The PC shop: open AM 8:00 to PM 8:30. Hitomi on Day 2, Akira on the
// morning of Day 3.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

struct Case {
    Moment saved;
    std::vector<Flag> flags;
    bool plays;
};

TEST(PcShop, OpenFromAmEightToPmEightThirty) {
    const Case cases[] = {{{1, AM, 7, 30}, {}, true},
                          {{1, PM, 8, 0}, {}, true},
                          {{1, AM, 7, 0}, {}, false},
                          {{1, PM, 8, 30}, {}, false}};
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"パソコンショップ"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.Has("SCENE pasokon.jpg"), c.plays);
        EXPECT_EQ(t.LinesStarting("SCENE ").back() == "SCENE -", !c.plays);
        const std::vector<std::string> m = t.Messages();
        EXPECT_EQ(m[m.size() - 2].rfind(c.plays ? "佐々木：「" : "「", 0), 0u);
        EXPECT_EQ(t.finalState.CurrentPlace, "ﾊﾟｿｺﾝｼｮｯﾌﾟ");
    }
}

TEST(PcShop, HitomiOnDayTwoWhetherOrNotSheWasMetAtTheSchool) {
    const Case cases[] = {
        {{2, AM, 8, 30}, {}, true},  {{2, PM, 5, 0}, {{4, 1}}, true},   {{2, AM, 8, 0}, {}, false},
        {{2, PM, 5, 30}, {}, false}, {{2, AM, 10, 0}, {{4, 2}}, false}, {{3, PM, 1, 0}, {}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"パソコンショップ"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("hitomi01"), c.plays ? Items({{74, 77}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(4), 2);
        }
    }
    Trace t = PlayFrom({2, AM, 10, 0}, {}, {"パソコンショップ", "パソコンショップ"});
    EXPECT_EQ(t.ItemsOf("hitomi01"), Items({{74, 77}})) << "once only";
    EXPECT_TRUE(t.HasRun({"MSG hitomi01#76", "HIDE", "CLOCK 日付２.gif|AM 10:30|ﾊﾟｿｺﾝｼｮｯﾌﾟ.gif",
                          "HIDE", "SCENE pasokon.jpg", "MSG hitomi01#77"}));
}

TEST(PcShop, AkiraOnTheMorningOfDayThree) {
    const Case cases[] = {
        {{3, AM, 8, 30}, {}, true},          {{3, AM, 11, 0}, {}, true},
        {{3, AM, 8, 0}, {}, false},          {{3, AM, 11, 30}, {}, false},
        {{3, AM, 10, 0}, {{101, 3}}, false}, {{4, AM, 10, 0}, {}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"パソコンショップ"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("akira02"), c.plays ? Items({{1, 21}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(101), 3);
        }
    }
    Trace t = PlayFrom({3, AM, 10, 0}, {}, {"パソコンショップ", "パソコンショップ"});
    EXPECT_EQ(t.ItemsOf("akira02"), Items({{1, 21}})) << "once only";
    EXPECT_TRUE(t.HasRun({"MSG akira02#1", "PORTRAIT akira1_0.gif", "MSG akira02#2"}));
}

TEST(PcShop, ScenesAreMarkedDoneAsTheyBegin) {
    Trace hitomi =
        PlayFrom({2, AM, 10, 0}, {}, Decisions{"パソコンショップ"} + CloseAfterClicks(1));
    EXPECT_EQ(hitomi.ItemsOf("hitomi01"), Items({{74, 74}})) << hitomi.Text();
    EXPECT_EQ(hitomi.flag(4), 2);
    Trace akira = PlayFrom({3, AM, 10, 0}, {}, Decisions{"パソコンショップ"} + CloseAfterClicks(1));
    EXPECT_EQ(akira.ItemsOf("akira02"), Items({{1, 1}})) << akira.Text();
    EXPECT_EQ(akira.flag(101), 3);
}

}  // namespace
}  // namespace velmora::test
