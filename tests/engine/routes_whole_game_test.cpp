// Whole games from the title to ＴＨＥ  ＥＮＤ: the route through the friends'
// gathering, and the route of a hero who declined Kumi's invitation.
#include <gtest/gtest.h>

#include "presentation/pictures.h"
#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

// The lines of one file played after the introduction, in order.
std::vector<int> Played(const Trace& t, const std::string& stem) {
    std::vector<std::vector<int>> turns = t.ItemsByTurn(stem);
    std::vector<int> items;
    for (size_t i = 1; i < turns.size(); ++i)
        items.insert(items.end(), turns[i].begin(), turns[i].end());
    return items;
}

void ExpectTheEnd(const Trace& t) {
    EXPECT_TRUE(t.ended);
    EXPECT_TRUE(t.Has("MSG 残念ながら、容量の関係で体験版はここまでです。"));
    EXPECT_EQ(t.Messages().back(), "ＴＨＥ  ＥＮＤ");
}

TEST(WholeGame, TheRouteThroughTheGathering) {
    const Decisions route = {
        "no", "no", "yes",  // no load, no name, the invitation accepted
        // Day 1
        "公園", "yes", "テニスコート", "アパート", "4時間寝る", "セルビア", "学校", "セルビア",
        "弁当屋", "アパート", "8時間寝る",
        // Day 2
        "アパート", "6時間寝る", "ひとみの家", "ひとみの家", "テニスコート", "パソコンショップ",
        "学校", "アパート", "1時間寝る", "防波堤", "防波堤", "アパート", "10時間寝る",
        // Day 3
        "アパート", "4時間寝る", "セルビア", "パソコンショップ", "防波堤", "アパート", "移動する",
        "公園", "テニスコート", "弁当屋", "アパート", "1時間寝る", "防波堤", "ひとみの家",
        "アパート", "12時間寝る",
        // Day 4
        "アパート", "4時間寝る", "アパート", "移動する", "テニスコート", "明の家", "アパート",
        "1時間寝る", "セルビア", "学校", "公園", "弁当屋", "アパート", "1時間寝る", "アパート",
        "2時間寝る", "アパート", "12時間寝る"};
    GameFolder folder;
    Trace t = Play(folder, route);
    SCOPED_TRACE(t.Text());

    // Day 1: the question at the park, Kaori at the court, Hitomi at Serubia and
    // the school, Kaori at Serubia, the bento shop, Akira's evening visit.
    EXPECT_EQ(Played(t, "hitomi01"),
              Items({{1, 26}, {44, 50}, {60, 65}, {66, 73}, {36, 43}, {74, 77}}));
    EXPECT_EQ(Played(t, "kaori01"), Items({{1, 19}, {20, 30}, {72, 75}, {32, 69}}));
    EXPECT_EQ(Played(t, "akira01"), Items({{18, 41}})) << "never the latecomer's lines";
    // Day 2: the gathering, then Kumi's call.
    EXPECT_EQ(Played(t, "SATUKI01"), Items({{4, 77}}));
    EXPECT_EQ(Played(t, "kumi01"), Items({{41, 68}}));
    // Days 3 and 4.
    EXPECT_EQ(Played(t, "kaori02"), Items({{1, 9}, {10, 26}, {39, 49}, {50, 63}, {65, 79}}))
        << "Kaori with Akira at the park, never alone";
    EXPECT_EQ(Played(t, "akira02"), Items({{1, 21}}));
    EXPECT_EQ(Played(t, "hitomi02"), Items({{1, 27}, {29, 48}, {51, 68}}));
    EXPECT_EQ(Played(t, "kumi02"), Items({{1, 15}, {17, 30}, {32, 79}}));
    EXPECT_EQ(Played(t, "satuki02"), Items({{1, 14}, {17, 43}}));
    EXPECT_EQ(Played(t, "akira03"), Items({{1, 14}, {16, 38}}));
    EXPECT_EQ(Played(t, "hitomi03"), Items({{1, 41}, {51, 52}, {59, 68}}));
    EXPECT_EQ(
        Played(t, "ryouko01"),
        Items(
            {{1, 12}, {15, 16}, {19, 19}, {1, 3}, {10, 10}, {28, 32}, {1, 3}, {10, 10}, {33, 35}}));
    EXPECT_EQ(t.flag(Flag::Gathering), 1);
    EXPECT_EQ(t.flag(Flag::HitomisAnswer), 3);
    EXPECT_EQ(t.flag(Flag::BentoTalks), 3);
    ExpectTheEnd(t);
    // Every place, character, still and ending picture reads as what it shows.
    for (const std::string kind : {"SCENE ", "PORTRAIT ", "SIDE ", "PICTURE? "}) {
        for (const std::string& line : t.LinesStarting(kind)) {
            if (line == "SCENE -") continue;
            EXPECT_NE(PictureWords(Scenes(TheStory()), line.substr(kind.size())), "絵") << line;
        }
    }
}

TEST(WholeGame, TheRouteOfAHeroWhoDeclinedTheInvitation) {
    const Decisions route = {
        "no", "no", "no",  // no load, no name, the invitation declined
        // Day 1: no to Hitomi at Serubia
        "セルビア", "no", "公園", "アパート", "6時間寝る", "セルビア", "アパート", "8時間寝る",
        // Day 2: nobody meets at the breakwater
        "アパート", "6時間寝る", "テニスコート", "テニスコート", "アパート", "4時間寝る", "防波堤",
        "アパート", "4時間寝る", "アパート", "12時間寝る",
        // Day 3
        "アパート", "2時間寝る", "アパート", "移動する", "公園", "アパート", "1時間寝る", "公園",
        "テニスコート", "アパート", "1時間寝る", "ひとみの家", "防波堤", "アパート", "12時間寝る",
        // Day 4
        "アパート", "4時間寝る", "アパート", "移動する", "テニスコート", "明の家", "アパート",
        "1時間寝る", "セルビア", "公園", "学校", "アパート", "12時間寝る"};
    GameFolder folder;
    Trace t = Play(folder, route);
    SCOPED_TRACE(t.Text());

    EXPECT_EQ(Played(t, "hitomi01"), Items({{1, 17}, {27, 35}, {44, 49}}));
    EXPECT_EQ(Played(t, "kaori01"), Items({{20, 30}}));
    EXPECT_EQ(Played(t, "akira01"), std::vector<int>{}) << "no evening visit, no latecomer";
    EXPECT_EQ(Played(t, "SATUKI01"), std::vector<int>{});
    EXPECT_EQ(Played(t, "kumi01"), std::vector<int>{});
    EXPECT_EQ(Played(t, "kumi02"), Items({{1, 15}})) << "her Day 3 visit only";
    EXPECT_EQ(Played(t, "kaori02"), Items({{28, 37}, {39, 45}, {48, 49}}));
    EXPECT_EQ(Played(t, "hitomi02"), Items({{29, 48}})) << "the court needs no yes";
    EXPECT_EQ(Played(t, "satuki02"), std::vector<int>{});
    EXPECT_EQ(Played(t, "akira03"), Items({{16, 38}})) << "the school needs no gathering";
    EXPECT_EQ(Played(t, "hitomi03"), std::vector<int>{});
    EXPECT_EQ(t.flag(Flag::KumisInvitation), 2);
    EXPECT_EQ(t.flag(Flag::Gathering), 0);
    EXPECT_EQ(t.flag(Flag::HitomisAnswer), 2);
    ExpectTheEnd(t);
}

TEST(WholeGame, AnyPlaceChosenAtPmElevenThirtyOfDayFourEndsTheDaysOnArrival) {
    for (const char* place : {"アパート", "防波堤", "弁当屋", "公園", "明の家", "セルビア",
                              "パソコンショップ", "学校", "ひとみの家", "テニスコート"}) {
        Trace t = PlayFrom({4, PM, 11, 30},
                           {{Flag::KumisInvitation, 1},
                            {Flag::KumiAndAkiraDay, 1},
                            {Flag::Gathering, 1},
                            {Flag::HitomisAnswer, 1},
                            {Flag::BentoTalks, 2}},
                           {place});
        SCOPED_TRACE(t.Text());
        const std::vector<std::string> m = t.Messages();
        const auto menu = std::find(m.begin(), m.end(), "さて、どこに行こうかな・・・。");
        ASSERT_NE(menu, m.end());
        EXPECT_EQ(*(menu + 1), "残念ながら、容量の関係で体験版はここまでです。")
            << "no description, no event";
        ExpectTheEnd(t);
    }
}

}  // namespace
}  // namespace velmora::test
