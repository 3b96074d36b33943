// The command menu: what each caption runs, the menu coming back after every
// command, a closed menu repeating the last choice, window-move mode, the
// options and the quit question.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

namespace velmora {
namespace {

using test::Decisions;
using test::FlagsAt;
using test::GameFolder;
using test::LoadSlot1;
using test::Play;
using test::operator+;

const std::string kMenu =
    "MENU? アパート|防波堤|弁当屋|公園|明の家|セルビア|パソコンショップ|学校|ひとみの家|"
    "テニスコート|ロード|セーブ|メイン画面移動|BGM|終了|画像処理";

int Count(const test::Trace& t, const std::string& line) {
    int n = 0;
    for (const std::string& l : t.lines) n += l == line;
    return n;
}

// A game loaded in the hero's room at Day 2, AM 10:00: the menu comes at once.
struct InRoom {
    GameFolder folder;
    InRoom() { folder.WriteSlot("file1", FlagsAt(2, AM, 10, 0), "部屋"); }
    test::Trace Play(const Decisions& d) { return test::Play(folder, LoadSlot1() + d); }
};

TEST(Menu, EveryPlaceCaptionVisitsItsPlace) {
    const std::pair<const char*, const char*> places[] = {
        {"アパート", "SCENE apart.jpg"},
        {"防波堤", "SCENE bouhatei.jpg"},
        {"弁当屋", "SCENE hokabenya.jpg"},
        {"公園", "SCENE kouen.jpg"},
        {"明の家", "SCENE akira.jpg"},
        {"セルビア", "SCENE serubia.jpg"},
        {"パソコンショップ", "SCENE pasokon.jpg"},
        {"学校", "SCENE gakkou.jpg"},
        {"ひとみの家", "SCENE hanaya.jpg"},
        {"テニスコート", "SCENE tenisu.jpg"},
    };
    for (const auto& [caption, scene] : places) {
        InRoom game;
        // The apartment ends in the room's own list: leave by "移動する".
        Decisions d{caption};
        if (std::string(caption) == "アパート") d.push_back("移動する");
        test::Trace t = game.Play(d);
        EXPECT_TRUE(t.Has(scene)) << caption;
        EXPECT_EQ(Count(t, kMenu), 2) << caption;  // the menu comes back after the visit
    }
}

TEST(Menu, ACaptionThatNamesNothingOpensTheMenuAtOnce) {
    for (const char* place : {"部屋", "ﾊﾟｿｺﾝｼｮｯﾌﾟ", "ﾃﾆｽｺｰﾄ"}) {
        GameFolder folder;
        folder.WriteSlot("file1", FlagsAt(3, PM, 2, 30), place);
        test::Trace t = Play(folder, LoadSlot1());
        EXPECT_EQ(t.finalState.Hour, 2) << place;  // no arrival half hour
        EXPECT_EQ(t.finalState.Minute, 30) << place;
        EXPECT_EQ(Count(t, kMenu), 1) << place;
    }
}

TEST(Menu, ClosingItRepeatsThePreviousChoice) {
    InRoom game;
    test::Trace t = game.Play({"学校", "close"});
    EXPECT_EQ(t.finalState.Hour, 11);  // two visits, an hour
    EXPECT_EQ(t.finalState.Minute, 0);
}

TEST(Menu, ClosingTheFirstMenuRunsNothing) {
    InRoom game;
    test::Trace t = game.Play({"close"});
    EXPECT_EQ(Count(t, kMenu), 2);
    EXPECT_EQ(t.finalState.Hour, 10);
}

TEST(Menu, UnknownAnswersRepeatThePrompt) {
    InRoom game;
    test::Trace t = game.Play({"がっこう", "学校"});
    EXPECT_EQ(Count(t, kMenu), 3);
    EXPECT_TRUE(t.Has("SCENE gakkou.jpg"));
}

TEST(WindowMove, NoWindowUntilTheLabelIsClickedThenTheMenuAgain) {
    InRoom game;
    test::Trace t = game.Play({"メイン画面移動", "@any:", "学校"});
    const int instruction = t.Find(
        "MSG "
        "＜メイン画面のツールバーをドラッグして画面の位置を調整した後、ここをクリックしてください。"
        "＞");
    ASSERT_GE(instruction, 0);
    EXPECT_EQ(t.lines[instruction + 1], "CLICK?");
    EXPECT_EQ(t.lines[instruction + 2], "MSG さて、どこに行こうかな・・・。");
    EXPECT_TRUE(t.Has("SCENE gakkou.jpg"));
    EXPECT_EQ(t.finalState.MainLeft, 255);
    EXPECT_EQ(t.finalState.MainTop, 32);
}

TEST(WindowMove, ClosingTheMenuAfterItReturnsToWindowMoveMode) {
    InRoom game;
    test::Trace t = game.Play({"メイン画面移動", "@any:", "close", "@any:"});
    EXPECT_EQ(Count(t, "CLICK?"), 3);
}

TEST(Options, MusicOffStaysSilentUntilSwitchedOnAgain) {
    InRoom game;
    test::Trace t = game.Play({"BGM", "no", "ロード", "file1", "yes", "BGM", "yes"});
    const int off = t.Find("MSG BGMを鳴らしますか？");
    const int on = t.Find("MSG BGMを鳴らしますか？", off + 1);
    ASSERT_GT(on, off);
    EXPECT_EQ(t.lines[off + 2], "SOUND stop");
    // The load in between brings back the saved setting: music on.
    const int load = t.Find("MSG file1 をロードしました。", off);
    EXPECT_GT(t.Find("SOUND loop BGM1.wav", load), load);
    EXPECT_EQ(t.lines[on + 2], "SOUND stop");
    EXPECT_EQ(t.lines[on + 4], "SOUND loop BGM1.wav");
}

TEST(Options, MusicOffSilencesTheNextScene) {
    GameFolder folder;
    folder.WriteSlot("file1", FlagsAt(2, AM, 10, 0), "部屋");
    test::Trace t = Play(folder, {"no", "no", "no", "BGM", "no", "ロード", "file2"});
    EXPECT_EQ(t.finalState.flag(Flag::Music), 2);
    GameFolder saved;
    saved.WriteSlot("file1", FlagsAt(2, AM, 10, 0, {{Flag::Music, 2}}), "部屋");
    test::Trace quiet = Play(saved, LoadSlot1());
    EXPECT_FALSE(quiet.Has("SOUND loop BGM1.wav"));
}

TEST(Options, LineModeDrawsPortraitsIntoTheScene) {
    GameFolder folder;
    folder.WriteSlot("file1", FlagsAt(1, PM, 2, 30), "部屋");
    test::Trace t = Play(folder, LoadSlot1() + Decisions{"画像処理", "yes", "テニスコート"});
    EXPECT_EQ(t.finalState.flag(Flag::PortraitMode), 1);
    EXPECT_TRUE(t.Has("PAINT kaori1.gif"));
    EXPECT_FALSE(t.Has("PORTRAIT kaori1_0.gif"));
    // In line mode nothing is hidden: the painted character goes with the scene.
    const int paint = t.Find("PAINT kaori1.gif");
    EXPECT_EQ(t.Find("HIDE", paint), -1);
}

TEST(Options, AnswerNoGivesPortraitsAtOnce) {
    InRoom game;
    test::Trace t = game.Play({"画像処理", "close"});
    EXPECT_EQ(t.finalState.flag(Flag::PortraitMode), 2);
}

TEST(Quit, NoGoesOnYesSaysGoodbyeStopsTheMusicAndEnds) {
    InRoom game;
    test::Trace no = game.Play({"終了", "no", "学校"});
    EXPECT_TRUE(no.Has("SCENE gakkou.jpg"));
    test::Trace yes = game.Play({"終了", "yes"});
    const int bye = yes.Find("MSG お疲れさまでした。");
    ASSERT_GE(bye, 0);
    EXPECT_EQ(yes.lines[bye + 1], "NEXT?");
    EXPECT_EQ(yes.lines[bye + 2], "SOUND stop");
    EXPECT_EQ(yes.lines[bye + 3], "END");
    EXPECT_EQ(yes.Find("MSG 本当に終了しますか？ "), bye - 2);
}

}  // namespace
}  // namespace velmora
