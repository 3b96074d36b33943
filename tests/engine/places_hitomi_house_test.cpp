// Hitomi's house, the flower shop: always open. Hitomi on Day 2, and on the
// afternoon of Day 3 for a hero who said yes to her.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

struct Case {
    Moment saved;
    std::vector<Flag> flags;
    bool plays;
};

TEST(HitomiHouse, AlwaysOpenAndDescribedByDay) {
    const auto said = [](Moment saved) {
        Trace t = PlayFrom(saved, {}, {"ひとみの家"});
        EXPECT_TRUE(t.Has("SCENE hanaya.jpg")) << t.Text();
        EXPECT_EQ(t.finalState.CurrentPlace, "ひとみの家");
        const std::vector<std::string> m = t.Messages();
        EXPECT_EQ(m[m.size() - 2].rfind("佐々木：「", 0), 0u);
        return m[m.size() - 2];
    };
    EXPECT_NE(said({1, AM, 2, 0}), said({4, PM, 11, 0}));
}

TEST(HitomiHouse, HitomiOnDayTwo) {
    const Case cases[] = {
        {{2, AM, 8, 30}, {}, true},  {{2, PM, 5, 0}, {{2, 1}}, true},   {{2, AM, 8, 0}, {}, false},
        {{2, PM, 5, 30}, {}, false}, {{2, AM, 10, 0}, {{2, 2}}, false}, {{1, AM, 10, 0}, {}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"ひとみの家"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("hitomi01"), c.plays ? Items({{66, 73}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(2), 2);
        }
    }
    Trace t = PlayFrom({2, AM, 10, 0}, {}, {"ひとみの家", "ひとみの家"});
    EXPECT_EQ(t.ItemsOf("hitomi01"), Items({{66, 73}})) << "once only";
    EXPECT_TRUE(t.HasRun({"PORTRAIT hitomi1_0.gif", "MSG hitomi01#66"}));
}

TEST(HitomiHouse, HitomiOnTheAfternoonOfDayThreeOnlyAfterTheYes) {
    const Case cases[] = {
        {{3, PM, 2, 30}, {{1, 1}}, true},         {{3, PM, 7, 0}, {{1, 1}, {4, 2}}, true},
        {{3, PM, 2, 0}, {{1, 1}}, false},         {{3, PM, 7, 30}, {{1, 1}}, false},
        {{3, PM, 4, 0}, {{1, 2}}, false},         {{3, PM, 4, 0}, {}, false},
        {{3, PM, 4, 0}, {{1, 1}, {4, 3}}, false}, {{4, PM, 4, 0}, {{1, 1}}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"ひとみの家"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("hitomi02"), c.plays ? Items({{51, 68}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(4), 3);
        }
    }
    Trace t = PlayFrom({3, PM, 4, 0}, {{1, 1}}, {"ひとみの家", "ひとみの家"});
    EXPECT_EQ(t.ItemsOf("hitomi02"), Items({{51, 68}})) << "once only";
    EXPECT_TRUE(t.HasRun({"MSG hitomi02#67", "HIDE", "CLOCK 日付３.gif|PM 4:30|ひとみの家.gif",
                          "HIDE", "SCENE hanaya.jpg", "MSG hitomi02#68"}));
}

TEST(HitomiHouse, TheDayTwoVisitIsMarkedAsItBeginsTheDayThreeOneAsItEnds) {
    Trace two = PlayFrom({2, AM, 10, 0}, {}, Decisions{"ひとみの家"} + CloseAfterClicks(2));
    EXPECT_EQ(two.ItemsOf("hitomi01"), Items({{66, 67}})) << two.Text();
    EXPECT_EQ(two.flag(2), 2);
    Trace three = PlayFrom({3, PM, 4, 0}, {{1, 1}}, Decisions{"ひとみの家"} + CloseAfterClicks(18));
    EXPECT_EQ(three.ItemsOf("hitomi02"), Items({{51, 68}})) << three.Text();
    EXPECT_EQ(three.flag(4), 0) << "cut off at its last line";
}

}  // namespace
}  // namespace velmora::test
