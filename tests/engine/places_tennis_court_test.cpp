// The tennis court: nobody plays before AM 9:00 or from PM 7:00. Kaori on
// Days 1 and 4, Hitomi on Days 2 and 3.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

struct Case {
    Moment saved;
    std::vector<Flag> flags;
    bool plays;
};

TEST(TennisCourt, NobodyIsThereBeforeAmNineOrFromPmSeven) {
    const Case cases[] = {{{2, AM, 8, 30}, {}, true},
                          {{2, PM, 6, 0}, {}, true},
                          {{2, AM, 8, 0}, {}, false},
                          {{2, PM, 6, 30}, {}, false}};
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"テニスコート"});
        SCOPED_TRACE(t.Text());
        int clock = static_cast<int>(t.lines.size());
        while (t.lines[--clock].rfind("SCENE ", 0) != 0) {
        }
        EXPECT_EQ(t.lines[clock++], c.plays ? "SCENE tenisu.jpg" : "SCENE -");
        EXPECT_EQ(t.lines[clock].substr(t.lines[clock].rfind('|')), "|ﾃﾆｽｺｰﾄ.gif");
        EXPECT_EQ(t.lines[clock + 1].rfind(c.plays ? "MSG 佐々木：「" : "MSG 「", 0), 0u);
        EXPECT_EQ(t.finalState.CurrentPlace, "ﾃﾆｽｺｰﾄ");
    }
}

TEST(TennisCourt, KaoriIsMetOnDayOneUntilPmThreeThirty) {
    const Case cases[] = {
        {{1, AM, 8, 30}, {}, true},         {{1, PM, 3, 0}, {}, true},
        {{1, PM, 3, 30}, {}, false},        {{2, AM, 10, 0}, {}, false},
        {{1, AM, 10, 0}, {{22, 1}}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"テニスコート"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("kaori01"), c.plays ? Items({{1, 19}}) : std::vector<int>{});
        EXPECT_EQ(t.flag(22), c.plays || !c.flags.empty() ? 1 : 0);
    }
    Trace t = PlayFrom({1, AM, 10, 0}, {}, {"テニスコート", "テニスコート"});
    EXPECT_EQ(t.ItemsOf("kaori01"), Items({{1, 19}})) << "once only";
    EXPECT_TRUE(t.HasRun({"MSG kaori01#18", "HIDE", "CLOCK 日付１.gif|AM 10:30|ﾃﾆｽｺｰﾄ.gif", "HIDE",
                          "SCENE tenisu.jpg", "MSG kaori01#19"}));
}

TEST(TennisCourt, HitomiOnDayTwoOnlyAfterTheYes) {
    const Case cases[] = {
        {{2, AM, 8, 30}, {{1, 1}}, true},  {{2, PM, 5, 0}, {{1, 1}, {3, 1}}, true},
        {{2, PM, 5, 30}, {{1, 1}}, false}, {{2, AM, 10, 0}, {{1, 2}}, false},
        {{2, AM, 10, 0}, {}, false},       {{2, AM, 10, 0}, {{1, 1}, {3, 2}}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"テニスコート"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("hitomi01"), c.plays ? Items({{36, 43}}) : std::vector<int>{});
    }
    Trace t = PlayFrom({2, AM, 10, 0}, {{1, 1}}, {"テニスコート", "テニスコート"});
    EXPECT_EQ(t.ItemsOf("hitomi01"), Items({{36, 43}})) << "once only";
    EXPECT_EQ(t.flag(3), 2);
    EXPECT_TRUE(t.HasRun({"MSG hitomi01#43", "HIDE", "CLOCK 日付２.gif|AM 10:30|ﾃﾆｽｺｰﾄ.gif", "HIDE",
                          "SCENE tenisu.jpg", "MSG さて、どこに行こうかな・・・。"}));
}

TEST(TennisCourt, HitomiOnDayThreeWhateverTheAnswer) {
    const Case cases[] = {
        {{3, AM, 8, 30}, {}, true},
        {{3, PM, 5, 0}, {{1, 2}}, true},
        {{3, AM, 10, 0}, {{1, 1}, {2, 2}}, true},
        {{3, PM, 5, 30}, {}, false},
        {{3, AM, 10, 0}, {{2, 3}}, false},
        {{4, AM, 10, 0}, {}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"テニスコート"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("hitomi02"), c.plays ? Items({{29, 48}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(2), 3);
        }
    }
    Trace t = PlayFrom({3, AM, 10, 0}, {}, {"テニスコート", "テニスコート"});
    EXPECT_EQ(t.ItemsOf("hitomi02"), Items({{29, 48}})) << "once only";
}

TEST(TennisCourt, KaoriOnTheMorningOfDayFourSaysTwoMoreLinesAfterTheGathering) {
    struct Morning {
        Moment saved;
        std::vector<Flag> flags;
        std::vector<int> lines;
    };
    const std::vector<int> gathered = Items({{39, 49}});
    const std::vector<int> notGathered = Items({{39, 45}, {48, 49}});
    const Morning cases[] = {
        {{4, AM, 8, 30}, {{47, 1}}, gathered}, {{4, AM, 11, 0}, {{47, 1}, {21, 3}}, gathered},
        {{4, AM, 8, 30}, {}, notGathered},     {{4, AM, 11, 30}, {{47, 1}}, {}},
        {{4, AM, 10, 0}, {{21, 4}}, {}},
    };
    for (const Morning& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"テニスコート"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("kaori02"), c.lines);
        if (!c.lines.empty()) {
            EXPECT_EQ(t.flag(21), 4);
        }
    }
    Trace t = PlayFrom({4, AM, 10, 0}, {}, {"テニスコート", "テニスコート"});
    EXPECT_EQ(t.ItemsOf("kaori02"), notGathered) << "once only";
    EXPECT_TRUE(t.HasRun({"MSG kaori02#39", "PORTRAIT kaori1_0.gif", "MSG kaori02#40"}));
}

TEST(TennisCourt, HitomiIsMarkedMetAsHerSceneBeginsAndKaoriAsHersEnds) {
    // The window closes after the description and two lines of the scene.
    Trace hitomi =
        PlayFrom({2, AM, 9, 0}, {{1, 1}}, Decisions{"テニスコート"} + CloseAfterClicks(2));
    EXPECT_EQ(hitomi.ItemsOf("hitomi01"), Items({{36, 37}})) << hitomi.Text();
    EXPECT_EQ(hitomi.flag(3), 2);
    Trace kaori = PlayFrom({1, AM, 9, 0}, {}, Decisions{"テニスコート"} + CloseAfterClicks(2));
    EXPECT_EQ(kaori.ItemsOf("kaori01"), Items({{1, 2}})) << kaori.Text();
    EXPECT_EQ(kaori.flag(22), 0);
}

}  // namespace
}  // namespace velmora::test
