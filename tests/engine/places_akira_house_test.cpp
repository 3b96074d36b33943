// Akira's house: always open; after the gathering Akira is at home on Day 4.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

struct Case {
    Moment saved;
    std::vector<Flag> flags;
    bool plays;
};

TEST(AkiraHouse, AlwaysOpenAndDescribedByDay) {
    const auto said = [](Moment saved) {
        Trace t = PlayFrom(saved, {}, {"明の家"});
        EXPECT_TRUE(t.HasRun({"HIDE", "SCENE akira.jpg"})) << t.Text();
        EXPECT_EQ(t.finalState.CurrentPlace, "明の家");
        const std::vector<std::string> m = t.Messages();
        EXPECT_EQ(m[m.size() - 2].rfind("佐々木：「", 0), 0u);
        return m[m.size() - 2];
    };
    EXPECT_EQ(said({1, AM, 3, 0}), said({2, PM, 11, 0}));
    EXPECT_NE(said({2, PM, 11, 0}), said({3, AM, 3, 0}));
}

TEST(AkiraHouse, AkiraIsHomeOnDayFourAfterTheGathering) {
    const std::vector<Flag> gathered = {{47, 1}};
    const Case cases[] = {
        {{4, AM, 8, 30}, gathered, true},
        {{4, PM, 5, 0}, gathered, true},
        {{4, AM, 8, 0}, gathered, false},
        {{4, PM, 5, 30}, gathered, false},
        {{4, PM, 1, 0}, {}, false},
        {{3, PM, 1, 0}, gathered, false},
        {{4, PM, 1, 0}, {{47, 1}, {103, 4}}, false},
    };
    for (const Case& c : cases) {
        Trace t = PlayFrom(c.saved, c.flags, {"明の家"});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("akira03"), c.plays ? Items({{1, 14}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(103), 4);
        }
    }
    Trace t = PlayFrom({4, PM, 1, 0}, gathered, Decisions{"明の家", "明の家"});
    EXPECT_EQ(t.ItemsOf("akira03"), Items({{1, 14}})) << "once only";
    EXPECT_TRUE(t.HasRun({"PORTRAIT akira1_0.gif", "MSG akira03#1"}));
    EXPECT_TRUE(t.HasRun({"MSG akira03#13", "HIDE", "CLOCK 日付４.gif|PM 1:30|明の家.gif", "HIDE",
                          "SCENE akira.jpg", "MSG akira03#14"}));
    Trace cut = PlayFrom({4, PM, 1, 0}, gathered, Decisions{"明の家"} + CloseAfterClicks(1));
    EXPECT_EQ(cut.ItemsOf("akira03"), Items({{1, 1}}));
    EXPECT_EQ(cut.flag(103), 4) << "marked done as the scene begins";
}

}  // namespace
}  // namespace velmora::test
