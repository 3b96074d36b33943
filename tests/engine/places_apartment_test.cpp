// The apartment: friends in front of the building, visits and a call in the
// hero's room, and the room commands that let the player pass time.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

const std::string kRoomList =
    "LIST? 移動する|1時間寝る|2時間寝る|4時間寝る|6時間寝る|8時間寝る|10時間寝る|12時間寝る";
const Decisions kVisit = {"アパート", "移動する"};
const std::string kEndOfDays = "MSG 残念ながら、容量の関係で体験版はここまでです。";

// Visits the apartment and goes out again.
Trace Visit(Moment saved, std::vector<SetFlag> flags, Decisions more = {}) {
    return PlayFrom(saved, std::move(flags), Decisions{"アパート", "移動する"} + more);
}

TEST(Apartment, TheHeroGoesUpToHisRoomAndGoingOutCostsNoTime) {
    Trace t = Visit({1, AM, 9, 0}, {});
    EXPECT_TRUE(t.HasRun({"CLOCK 日付１.gif|AM 9:00|部屋.gif", "HIDE", "SCENE apart.jpg",
                          "CLOCK 日付１.gif|AM 9:30|アパート.gif"}))
        << t.Text();
    const int room = t.Find("SCENE heya.jpg");
    ASSERT_GE(room, 0);
    EXPECT_EQ(t.lines[room + 1], "CLOCK 日付１.gif|AM 9:30|部屋.gif");
    EXPECT_EQ(t.lines[room + 2].rfind("MSG 佐々木：「", 0), 0u);
    EXPECT_GE(t.Find(kRoomList, room), 0);
    EXPECT_EQ(t.LinesStarting("MENU?").size(), 2u) << "the menu once before, once after";
    EXPECT_EQ(t.clock(), (Moment{1, AM, 9, 30}));
    EXPECT_EQ(t.finalState.CurrentPlace, "部屋");
}

TEST(Apartment, EachSleepCommandSleepsTwiceItsHoursInHalfHours) {
    struct Sleep {
        const char* command;
        Moment saved;
        Moment woke;
    };
    const Sleep sleeps[] = {
        {"1時間寝る", {1, AM, 8, 30}, {1, AM, 10, 0}},
        {"2時間寝る", {1, AM, 8, 30}, {1, AM, 11, 0}},
        {"4時間寝る", {1, AM, 8, 30}, {1, PM, 1, 0}},
        {"6時間寝る", {3, AM, 0, 0}, {3, AM, 6, 30}},
        {"8時間寝る", {1, PM, 9, 30}, {2, AM, 6, 0}},  // across midnight
        {"10時間寝る", {2, PM, 11, 30}, {3, AM, 10, 0}},
        {"12時間寝る", {3, PM, 3, 0}, {4, AM, 3, 30}},
    };
    for (const Sleep& s : sleeps) {
        Trace t = PlayFrom(s.saved, {}, {"アパート", s.command});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.clock(), s.woke);
        const std::vector<std::string> m = t.Messages();
        const auto list = std::find(
            m.begin(), m.end(), "さて、どうしようかな・・・。\\n<コマンド選択後、(OK)をクリック>");
        ASSERT_EQ(m.end() - list, 5) << "three lines, then the menu";
        for (auto said = list + 1; said != m.end() - 1; ++said) {
            EXPECT_EQ(said->rfind("「", 0), 0u) << *said;
        }
        EXPECT_EQ(t.LinesStarting("MENU?").size(), 2u);
    }
}

TEST(Apartment, SleepingIntoDayFiveEndsTheDaysWithoutWakingUp) {
    const std::pair<Moment, const char*> sleeps[] = {{{4, AM, 11, 30}, "12時間寝る"},
                                                     {{4, PM, 8, 0}, "8時間寝る"},
                                                     {{4, PM, 10, 30}, "1時間寝る"}};
    for (const auto& [saved, command] : sleeps) {
        Trace t = PlayFrom(saved, {}, {"アパート", command});
        SCOPED_TRACE(t.Text());
        const int list = t.Find(kRoomList);
        const std::vector<std::string> after(t.lines.begin() + list, t.lines.end());
        std::vector<std::string> said;
        for (const std::string& l : after) {
            if (l.rfind("MSG ", 0) == 0) said.push_back(l);
        }
        ASSERT_GE(said.size(), 5u);
        EXPECT_EQ(said[2], kEndOfDays) << "the announcement and the sleeping line, then the end";
        EXPECT_EQ(said.back(), "MSG ＴＨＥ  ＥＮＤ");
        EXPECT_TRUE(t.ended);
        EXPECT_EQ(t.LinesStarting("MENU?").size(), 1u);
    }
}

TEST(Apartment, AGameSavedInTheRoomOrInAHalfWidthPlaceResumesAtTheMenu) {
    for (const char* place : {"部屋", "ﾊﾟｿｺﾝｼｮｯﾌﾟ", "ﾃﾆｽｺｰﾄ"}) {
        Trace t = PlayFrom({2, PM, 3, 0}, {}, {}, place);
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.LinesStarting("MENU?").size(), 1u);
        EXPECT_TRUE(t.LinesStarting("SCENE ").size() == 1 && t.Has("SCENE -"));
        EXPECT_EQ(t.clock(), (Moment{2, PM, 3, 0}));
    }
    // Saved in front of the building, the visit is played again.
    Trace t = PlayFrom({2, PM, 3, 0}, {}, {}, "アパート");
    EXPECT_TRUE(t.Has("SCENE heya.jpg"));
    EXPECT_EQ(t.clock(), (Moment{2, PM, 3, 30}));
}

TEST(Apartment, KumiAndAkiraComeToAHeroWhoMissedTheGathering) {
    const std::vector<SetFlag> missed = {{Flag::KumisInvitation, 1}, {Flag::KumiAndAkiraDay, 1}};
    EXPECT_EQ(
        Misses(kVisit,
               {{{2, PM, 3, 30}, missed, true},
                {{2, PM, 11, 0}, missed, true},
                {{4, PM, 3, 30}, missed, true},
                {{2, PM, 3, 0}, missed, false},
                {{2, PM, 11, 30}, missed, false},  // AM 0:00 of Day 3
                {{1, PM, 5, 0}, missed, false},
                {{2, PM, 5, 0}, {{Flag::KumiAndAkiraDay, 1}, {Flag::Gathering, 1}}, false},
                {{2, PM, 5, 0}, {{Flag::KumiAndAkiraDay, 1}, {Flag::MissedGathering, 1}}, false},
                {{2, PM, 5, 0}, {{Flag::KumiAndAkiraDay, 3}}, false}},
               "akira01", Items({{50, 75}}), {Flag::MissedGathering, 1}),
        "");
    Trace t = Visit({2, PM, 5, 0}, missed, kVisit);
    EXPECT_TRUE(t.HasRun({"PORTRAIT kumi1_0.gif", "MSG akira01#50"}));
    EXPECT_TRUE(
        t.HasRun({"MSG akira01#62", "HIDE", "CLOCK 日付２.gif|PM 5:30|アパート.gif", "HIDE",
                  "SCENE apart.jpg", "MSG akira01#63", "PORTRAIT akira1_0.gif", "MSG akira01#64"}));
    EXPECT_EQ(t.clock(), (Moment{2, PM, 6, 0})) << "no event in front of the building takes time";
}

TEST(Apartment, KumisDayThreeVisitEndsTheVisitOfKumiAndAkira) {
    EXPECT_EQ(Misses(kVisit,
                     {{{3, AM, 8, 30}, {{Flag::KumiAndAkiraDay, 1}}, true},
                      {{3, PM, 2, 0}, {}, true},
                      {{3, AM, 8, 0}, {}, false},
                      {{3, PM, 2, 30}, {}, false},
                      {{2, AM, 10, 0}, {}, false},
                      {{3, AM, 10, 0}, {{Flag::KumiAndAkiraDay, 3}}, false}},
                     "kumi02", Items({{1, 15}}), {Flag::KumiAndAkiraDay, 3}),
              "");
    const std::vector<SetFlag> missed = {{Flag::KumisInvitation, 1}, {Flag::KumiAndAkiraDay, 1}};
    Trace after = Visit({3, AM, 10, 0}, missed, {"アパート", "6時間寝る", "アパート", "移動する"});
    EXPECT_EQ(after.ItemsOf("kumi02"), Items({{1, 15}}));
    EXPECT_EQ(after.ItemsOf("akira01"), std::vector<int>{}) << after.Text();
    Trace without = Visit({3, PM, 4, 0}, missed);
    EXPECT_EQ(without.ItemsOf("akira01"), Items({{50, 75}}));
}

TEST(Apartment, KaoriAndSatsukiComeOnDayFourAfterTheGathering) {
    const std::vector<SetFlag> gathered = {{Flag::Gathering, 1}};
    EXPECT_EQ(Misses(kVisit,
                     {{{4, PM, 2, 30}, gathered, true},
                      {{4, PM, 6, 0}, gathered, true},
                      {{4, PM, 2, 0}, gathered, false},
                      {{4, PM, 6, 30}, gathered, false},
                      {{4, PM, 4, 0}, {}, false},
                      {{3, PM, 4, 0}, gathered, false}},
                     "kaori02", Items({{65, 79}}), {Flag::KaoriApartmentDay, 4}),
              "");
    EXPECT_EQ(Misses(kVisit,
                     {{{4, AM, 8, 30}, gathered, true},
                      {{4, AM, 11, 0}, gathered, true},
                      {{4, AM, 8, 0}, gathered, false},
                      {{4, AM, 11, 30}, gathered, false},
                      {{4, AM, 10, 0}, {}, false}},
                     "satuki02", Items({{1, 14}}), {Flag::SatsukiMorningDay, 4}),
              "");
    Trace t = Visit({4, PM, 3, 0}, gathered);
    EXPECT_TRUE(t.HasRun({"MSG kaori02#65", "PORTRAIT kaori1_0.gif", "MSG kaori02#66"}));
    EXPECT_TRUE(t.HasRun({"MSG kaori02#78", "HIDE", "CLOCK 日付４.gif|PM 3:30|アパート.gif", "HIDE",
                          "SCENE apart.jpg", "MSG kaori02#79"}));
    Trace s = Visit({4, AM, 9, 0}, gathered);
    EXPECT_TRUE(s.HasRun({"MSG satuki02#1", "PORTRAIT satuki1_0.gif", "MSG satuki02#2"}));
}

TEST(Apartment, AkiraComesToTheRoomOnTheFirstEveningAfterTheInvitation) {
    struct Evening {
        Moment saved;
        std::vector<SetFlag> story;
        bool plays;
        Moment after;
    };
    const Evening cases[] = {
        {{1, PM, 4, 30}, {{Flag::KumisInvitation, 1}}, true, {1, PM, 5, 30}},
        {{1, PM, 7, 0}, {{Flag::KumisInvitation, 1}}, true, {1, PM, 8, 0}},
        {{1, PM, 4, 0}, {{Flag::KumisInvitation, 1}}, false, {1, PM, 4, 30}},
        {{1, PM, 7, 30}, {{Flag::KumisInvitation, 1}}, false, {1, PM, 8, 0}},
        {{1, PM, 5, 0}, {{Flag::KumisInvitation, 2}}, false, {1, PM, 5, 30}},
        {{2, PM, 5, 0}, {{Flag::KumisInvitation, 1}}, false, {2, PM, 5, 30}},
    };
    for (const Evening& c : cases) {
        Trace t = Visit(c.saved, c.story);
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("akira01"), c.plays ? Items({{18, 41}}) : std::vector<int>{});
        EXPECT_EQ(t.flag(Flag::KumiAndAkiraDay), c.plays ? 1 : 0);
        EXPECT_EQ(t.clock(), c.after);
    }
    Trace t = Visit({1, PM, 5, 0}, {{Flag::KumisInvitation, 1}}, {"アパート", "移動する"});
    EXPECT_EQ(t.ItemsOf("akira01"), Items({{18, 41}})) << "once only";
    EXPECT_LT(t.Find("SCENE heya.jpg"), t.Find("MSG akira01#18"));
    EXPECT_TRUE(t.LinesStarting("PORTRAIT ").empty());
}

TEST(Apartment, KumiTelephonesOnTheEveningOfTheGathering) {
    const std::vector<SetFlag> gathered = {
        {Flag::KumisInvitation, 1}, {Flag::KumiAndAkiraDay, 1}, {Flag::Gathering, 1}};
    EXPECT_EQ(Misses(kVisit,
                     {{{2, PM, 5, 30}, gathered, true},
                      {{2, PM, 9, 0}, gathered, true},
                      {{2, PM, 5, 0}, gathered, false},
                      {{2, PM, 9, 30}, gathered, false},
                      {{2, PM, 7, 0}, {{Flag::KumiAndAkiraDay, 1}}, false},
                      {{3, PM, 7, 0}, gathered, false}},
                     "kumi01", Items({{41, 68}}), {Flag::KumisCall, 1}),
              "");
    Trace t = Visit({2, PM, 6, 0}, gathered);
    EXPECT_EQ(t.clock(), (Moment{2, PM, 7, 0})) << "the call takes half an hour";
    const int ring = t.Find("MSG kumi01#41") - 2;
    EXPECT_EQ(t.lines[ring].rfind("MSG ＜＜", 0), 0u) << "the telephone rings first";
}

TEST(Apartment, KumisDayFourEveningNeedsTwoCountedVisitsToTheBentoShop) {
    struct Evening {
        Moment saved;
        int16_t counted;
        bool plays;
    };
    const Evening cases[] = {
        {{4, PM, 5, 30}, 2, true},   {{4, PM, 9, 30}, 3, true}, {{4, PM, 5, 0}, 2, false},
        {{4, PM, 10, 30}, 2, false}, {{4, PM, 7, 0}, 1, false}, {{4, PM, 7, 0}, 0, false},
        {{3, PM, 7, 0}, 2, false},
    };
    for (const Evening& c : cases) {
        Trace t = Visit(c.saved, {{Flag::BentoTalks, c.counted}});
        SCOPED_TRACE(t.Text());
        EXPECT_EQ(t.ItemsOf("kumi02"), c.plays ? Items({{32, 79}}) : std::vector<int>{});
        if (c.plays) {
            EXPECT_EQ(t.flag(Flag::KumisEvening), 1);
            Moment after = c.saved;
            after.hour += 2;
            EXPECT_EQ(t.clock(), after) << "arrival and three half hours";
        }
    }
    Trace t = Visit({4, PM, 6, 0}, {{Flag::BentoTalks, 2}}, {"アパート", "移動する"});
    EXPECT_EQ(t.ItemsOf("kumi02"), Items({{32, 79}})) << "once only";
    EXPECT_TRUE(t.HasRun({"MSG kumi02#53", "CLOCK 日付４.gif|PM 7:00|部屋.gif", "MSG kumi02#54",
                          "CLOCK 日付４.gif|PM 7:30|部屋.gif", "MSG kumi02#55",
                          "CLOCK 日付４.gif|PM 8:00|部屋.gif", "MSG kumi02#56"}));
}

TEST(Apartment, KumisEveningStartedAtPmTenThirtyRunsIntoTheEnd) {
    Trace t = Visit({4, PM, 10, 0}, {{Flag::BentoTalks, 2}});
    SCOPED_TRACE(t.Text());
    EXPECT_EQ(t.ItemsOf("kumi02"), Items({{32, 55}}));
    EXPECT_TRUE(t.HasRun({"MSG kumi02#55", "SOUND stop", kEndOfDays}));
    EXPECT_TRUE(t.ended);
    EXPECT_FALSE(t.Has(kRoomList));
    EXPECT_EQ(t.flag(Flag::KumisEvening), 1) << "marked done before its lines";
}

}  // namespace
}  // namespace velmora::test
