// Saving and loading the five slots: the files byte for byte, what a load
// brings back, and slots that must be refused without changing anything.
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

// A new game with the invitation declined: the first menu at Day 1, AM 9:00.
const Decisions kNewGame = {"no", "no", "no"};

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

TEST(Save, AFreshGameSavedAtOnceWritesBothFilesByteForByte) {
    GameFolder folder;
    test::Trace t = Play(folder, kNewGame + Decisions{"セーブ", "file3", "yes"});
    EXPECT_TRUE(t.Has("MSG file3 にセーブしました。"));
    std::string flags;
    for (int i = 0; i < 135; ++i) {
        int v = i == 41 ? 2 : i == 123 ? 1 : i == 124 ? 2 : i == 126 ? 1 : i == 127 ? 9 : 0;
        flags += std::to_string(v) + "\r\n";
    }
    EXPECT_EQ(folder.Read("file3"), flags);
    EXPECT_EQ(folder.Read("file3_text"),
              "\"\x83\x41\x83\x70\x81\x5b\x83\x67\",\"\x8d\xb2\x81\x58\x96\xd8\","
              "\"\x83\x8a\x83\x85\x83\x45\x8c\x4e\"\r\n");  // アパート, 佐々木, リュウ君
    for (const char* helper : {".file3.new", ".file3_text.new", ".file3.old", ".file3.commit"}) {
        EXPECT_FALSE(folder.Has(helper)) << helper;
    }
}

TEST(Save, EverySlotLoadsBackWhatWasSaved) {
    for (const char* slot : {"file1", "file2", "file3", "file4", "file5"}) {
        GameFolder folder;
        std::array<int16_t, kFlagCount> flags = FlagsAt(3, PM, 2, 30,
                                                        {{Flag::HitomisAnswer, 1},
                                                         {Flag::Gathering, 1},
                                                         {Flag::BentoTalks, 2},
                                                         {Flag::Music, 2},
                                                         {Flag::PortraitMode, 1}});
        folder.WriteSlot("file1", flags, "部屋", " ケ ン ", "@*");
        // Load the prepared game, save it into the slot, start anew and load it.
        test::Trace saved = Play(folder, LoadSlot1() + Decisions{"セーブ", slot, "yes"});
        ASSERT_TRUE(saved.Has(std::string("MSG ") + slot + " にセーブしました。")) << slot;
        test::Trace t = Play(folder, {"yes", slot, "yes"});
        const GameState& s = t.finalState;
        EXPECT_EQ(s.Day, 3);
        EXPECT_EQ(s.Half, PM);
        EXPECT_EQ(s.Hour, 2);
        EXPECT_EQ(s.Minute, 30);
        EXPECT_EQ(s.CurrentPlace, "部屋");
        EXPECT_EQ(s.PlayerName, " ケ ン ");
        EXPECT_EQ(s.Nickname, "@*");
        EXPECT_EQ(s.Flags, flags) << slot;
        EXPECT_FALSE(t.Has("SOUND loop BGM1.wav"));  // music was off in that game
    }
}

TEST(Load, ResumesWithTheArrivalOfTheSavedPlace) {
    GameFolder folder;
    folder.WriteSlot("file1", FlagsAt(3, PM, 2, 30), "公園");
    test::Trace t = Play(folder, LoadSlot1());
    const int loaded = t.Find("MSG file1 をロードしました。");
    ASSERT_GE(loaded, 0);
    const std::vector<std::string> next(t.lines.begin() + loaded + 2,
                                        t.lines.begin() + loaded + 12);
    EXPECT_EQ(next, (std::vector<std::string>{
                        "HIDE", "SCENE -", "SIDE title.jpg", "CLOCK 日付３.gif|PM 2:30|公園.gif",
                        "SOUND stop", "SOUND loop BGM1.wav", "CLOCK 日付３.gif|PM 3:00|公園.gif",
                        "CLOCK 日付３.gif|PM 3:00|公園.gif", "HIDE", "SCENE kouen.jpg"}));
}

TEST(Load, NothingChosenOrNoAnswerChangesNothing) {
    GameFolder folder;
    folder.WriteSlot("file1", FlagsAt(3, PM, 2, 30), "公園");
    test::Trace none = Play(folder, kNewGame + Decisions{"ロード", ""});
    EXPECT_TRUE(none.Has(
        "MSG 正しく選択されていません。\\nファイル名をクリックしてからOKを押してください。\\n"
        "＜再度、コマンドよりロードしてください。＞"));
    EXPECT_EQ(none.finalState.Day, 1);
    test::Trace no = Play(folder, kNewGame + Decisions{"ロード", "file1", "no"});
    EXPECT_EQ(no.finalState.Day, 1);
    EXPECT_EQ(no.finalState.CurrentPlace, "アパート");
}

TEST(Load, AtTheStartWithNothingLoadedTheMenuOpensOnTheFreshWorld) {
    GameFolder folder;
    test::Trace t = Play(folder, {"yes", "file2", "yes", "学校"});
    EXPECT_TRUE(t.ItemsOf("kumi01").empty());
    EXPECT_EQ(t.finalState.flag(Flag::KumisInvitation), 0);
    EXPECT_TRUE(t.Has("CLOCK 日付１.gif|AM 9:30|学校.gif"));
}

struct BadSlot {
    const char* what;
    std::string flags;
    std::string text;
};

TEST(Load, BrokenSlotsAreRefusedAndNothingChanges) {
    const std::string goodText = "\"\x95\x94\x89\xae\",\"A\",\"B\"\r\n";  // 部屋
    const std::string goodFlags = Lines({"0", "5", "0"});
    std::string tooMany;
    for (int i = 0; i < 137; ++i) tooMany += "0\r\n";
    const BadSlot cases[] = {
        {"a word", Lines({"0", "x1", "0"}), goodText},
        {"a plus sign", Lines({"0", "+1"}), goodText},
        {"a space", Lines({"0", " 1"}), goodText},
        {"an empty line", Lines({"0", "", "1"}), goodText},
        {"too large", Lines({"0", "32768"}), goodText},
        {"too small", Lines({"0", "-32769"}), goodText},
        {"no value at all", "", goodText},
        {"more than 136 values", tooMany, goodText},
        {"two strings", goodFlags, "\"a\",\"b\"\r\n"},
        {"an unquoted string", goodFlags, "\"a\",b,\"c\"\r\n"},
        {"a fourth string", goodFlags, "\"a\",\"b\",\"c\",\"d\"\r\n"},
        {"a second line", goodFlags, "\"a\",\"b\",\"c\"\r\nx\r\n"},
        {"bytes that are not CP932", goodFlags, "\"a\x80\",\"b\",\"c\"\r\n"},
    };
    for (const BadSlot& c : cases) {
        GameFolder folder;
        folder.Write("file1", c.flags);
        folder.Write("file1_text", c.text);
        test::Trace t = Play(folder, kNewGame + Decisions{"ロード", "file1", "yes"});
        bool refused = false;
        for (const std::string& m : t.Messages()) {
            refused = refused || m.rfind("＜file1 はロードできませんでした。", 0) == 0;
        }
        EXPECT_TRUE(refused) << c.what;
        EXPECT_EQ(t.finalState.flag(Flag::HitomisAnswer), 0) << c.what;
        EXPECT_EQ(t.finalState.CurrentPlace, "アパート") << c.what;
        EXPECT_EQ(t.finalState.PlayerName, "佐々木") << c.what;
        EXPECT_FALSE(t.Has("MSG file1 をロードしました。")) << c.what;
    }
}

TEST(Load, ASlotNeverSavedIsRefusedAfterTheQuestion) {
    GameFolder folder;
    test::Trace t = Play(folder, kNewGame + Decisions{"ロード", "file4", "yes", "学校"});
    EXPECT_TRUE(t.Has("MSG file4 をロードします。よろしいですか？"));
    EXPECT_TRUE(t.Has(
        "MSG ＜file4 はロードできませんでした。このファイルにはまだセーブされていません。＞"));
    EXPECT_TRUE(t.Has("SCENE gakkou.jpg"));  // the menu came back
}

TEST(Load, AShortFlagFileKeepsTheLaterFlagsAndOddValuesLoadAsTheyAre) {
    GameFolder folder;
    // The first three flags only: Kumi's invitation keeps the 2 of the declined one.
    folder.Write("file1", Lines({"0", "-32768", "32767"}));
    folder.Write("file1_text", "\"\x95\x94\x89\xae\",\"A\",\"B\"\r\n");
    test::Trace t = Play(folder, kNewGame + Decisions{"ロード", "file1", "yes"});
    EXPECT_EQ(t.finalState.flag(Flag::HitomisAnswer), -32768);
    EXPECT_EQ(t.finalState.flag(Flag::HitomiPendantDay), 32767);
    EXPECT_EQ(t.finalState.flag(Flag::KumisInvitation), 2);
    EXPECT_EQ(t.finalState.flag(Flag::Music), 1);
    // No clock in the file: the running game's goes on (Day 1, from AM 9:00).
    EXPECT_EQ(t.finalState.Day, 1);
    EXPECT_EQ(t.finalState.Hour, 9);
}

TEST(Load, AFlagFileOf136ValuesFillsTheLastFlagToo) {
    GameFolder folder;
    std::string flags;
    for (int i = 0; i < 136; ++i) flags += i == 135 ? "7\r\n" : "0\r\n";
    folder.Write("file1", flags);
    folder.Write("file1_text", "\"\x95\x94\x89\xae\",\"A\",\"B\"\r\n");
    test::Trace t = Play(folder, LoadSlot1());
    EXPECT_EQ(t.finalState.Flags[kFlagCount - 1], 7);
}

TEST(Save, NothingChosenOrNoWritesNothing) {
    GameFolder folder;
    test::Trace none = Play(folder, kNewGame + Decisions{"セーブ", "", "セーブ", "file1", "no"});
    EXPECT_TRUE(none.Has(
        "MSG 正しく選択されていません。\\nファイル名をクリックしてからOKを押してください。\\n"
        "＜再度、コマンドよりセーブしてください。＞"));
    EXPECT_FALSE(folder.Has("file1"));
    EXPECT_FALSE(folder.Has("file1_text"));
}

TEST(Save, TheListWindowListsTheSlotsAndTheRoomCommands) {
    GameFolder folder;
    test::Trace t = Play(folder, kNewGame + Decisions{"セーブ", "", "アパート", ""});
    EXPECT_TRUE(t.Has("LIST? file1|file2|file3|file4|file5"));
    EXPECT_TRUE(t.Has(
        "LIST? 移動する|1時間寝る|2時間寝る|4時間寝る|6時間寝る|8時間寝る|10時間寝る|12時間寝る"));
}

}  // namespace
}  // namespace velmora
