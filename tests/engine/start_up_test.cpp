// The title click, the load and name questions, the name dialog's rules,
// the placeholders of the message window and the introduction's branches.
#include <gtest/gtest.h>

#include "shell/name_rule.h"
#include "tests/engine/harness.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

using test::GameFolder;
using test::Play;

TEST(Introduction, InvitationAcceptedPlaysKumiThenAkira) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "no", "yes"});
    std::vector<int> kumi;
    for (int i = 1; i <= 30; ++i) kumi.push_back(i);
    kumi.push_back(32);  // line 31 gives way to Kumi's parting line of the program's own
    EXPECT_EQ(t.ItemsOf("kumi01"), kumi);
    std::vector<int> akira;
    for (int i = 1; i <= 14; ++i) akira.push_back(i);
    EXPECT_EQ(t.ItemsOf("akira01"), akira);
    EXPECT_EQ(t.flag(Flag::KumisInvitation), 1);
    EXPECT_EQ(t.finalState.Day, 1);  // the introduction takes no time
    EXPECT_EQ(t.finalState.Hour, 9);
}

TEST(Introduction, InvitationDeclinedPlaysNoAkira) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "no", "no"});
    std::vector<int> kumi;
    for (int i = 1; i <= 27; ++i) kumi.push_back(i);
    for (int i = 33; i <= 37; ++i) kumi.push_back(i);
    EXPECT_EQ(t.ItemsOf("kumi01"), kumi);
    EXPECT_TRUE(t.ItemsOf("akira01").empty());
    EXPECT_EQ(t.flag(Flag::KumisInvitation), 2);
}

TEST(Introduction, ClosingTheInvitationDialogCountsAsNo) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "no", "close"});
    EXPECT_EQ(t.flag(Flag::KumisInvitation), 2);
}

TEST(Introduction, FirstMenuOpensWithMusicAtTheStartValues) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "no", "no"});
    EXPECT_TRUE(t.Has("SOUND loop BGM1.wav"));
    const GameState& s = t.finalState;
    EXPECT_EQ(s.flag(Flag::Music), 1);
    EXPECT_EQ(s.flag(Flag::PortraitMode), 2);
    for (int i = 0; i < 123; ++i) {
        if (i != 41) {
            EXPECT_EQ(s.Flags[i], 0) << i;
        }
    }
    EXPECT_EQ(s.CurrentPlace, "アパート");
}

TEST(Introduction, TheTitleClickStartsTheGameOnce) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "no", "no"});
    int titles = 0;
    for (const std::string& l : t.lines) titles += l == "CLICK?";
    EXPECT_EQ(titles, 1);
}

TEST(NameDialog, EmptyBoxesKeepItOpenAndEachOkStoresWhatWasTyped) {
    GameFolder folder;
    // name only; then both with spaces kept
    test::Trace t = Play(folder, {"no", "yes", "ケン", "  佐 藤 \t ケン  ", "no"});
    int names = 0;
    for (const std::string& l : t.lines) names += l == "NAME?";
    EXPECT_EQ(names, 2);
    EXPECT_EQ(t.finalState.PlayerName, "  佐 藤 ");
    EXPECT_EQ(t.finalState.Nickname, " ケン  ");
}

TEST(NameDialog, ANameWithPlaceholdersIsStoredAsTyped) {
    GameFolder folder;
    folder.WriteText("kumi01.dat", "x\r\n*と@\r\n");
    test::Trace t = Play(folder, {"no", "yes", "A@B\t*N", "no"});
    EXPECT_EQ(t.finalState.PlayerName, "A@B");
    // The name goes in first; the "@" inside it then takes the nickname,
    // and the line's own "@" stays.
    EXPECT_TRUE(t.Has("MSG A*NBと@")) << t.Text();
}

TEST(NameDialog, NamesASlotCannotHoldAreRefusedWithAReason) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "yes", "A\"B\tC", "😀\tC", "D\tE", "no"});
    int refusals = 0;
    for (const std::string& m : t.Messages())
        refusals += m.rfind("＜その名前は使えません。", 0) == 0;
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(t.finalState.PlayerName, "D");
    EXPECT_EQ(t.finalState.Nickname, "E");
}

// A CR in a name once saved a slot that no load could read again. Line ends
// and the other control characters are refused like a double quote, and so
// are characters that CP932 holds only as others ("〜" came back as "～").
TEST(NameDialog, LineEndsControlCharactersAndChangedCharactersAreRefused) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "yes", "A\rB\tC", "D\tE\r\r", "\x1b[2J\tF", "G\x7f\tH",
                                  "〜\tI", "J\t−", "K\t～－", "no"});
    std::vector<std::string> refusals;
    for (const std::string& m : t.Messages())
        if (m.rfind("＜その名前は使えません。", 0) == 0) refusals.push_back(m);
    const std::string control = "＜その名前は使えません。改行や制御文字は使えません。＞";
    EXPECT_EQ(refusals,
              std::vector<std::string>({control, control, control, control,
                                        "＜その名前は使えません。「〜」は使えません。＞",
                                        "＜その名前は使えません。「−」は使えません。＞"}));
    EXPECT_EQ(t.finalState.PlayerName, "K");
    EXPECT_EQ(t.finalState.Nickname, "～－");
}

// Bytes that are no UTF-8 in a name typed at the terminal are refused
// without being echoed: every line of the trace stays UTF-8. (A lead byte
// followed by plain letters once came back whole in the refusal.)
TEST(NameDialog, BytesThatAreNoCharacterAreRefusedWithoutEchoingThem) {
    GameFolder folder;
    test::Trace t =
        Play(folder, {"no", "yes", "\xe3\x41\x42\tC", "D\t\xed\xa0\x80", "\xc3\tE", "F\tG", "no"});
    std::vector<std::string> refusals;
    for (const std::string& m : t.Messages())
        if (m.rfind("＜その名前は使えません。", 0) == 0) refusals.push_back(m);
    const std::string none = "＜その名前は使えません。使えない文字が含まれています。＞";
    EXPECT_EQ(refusals, std::vector<std::string>({none, none, none}));
    EXPECT_EQ(t.finalState.PlayerName, "F");
}

// Every character of the Basic Multilingual Plane the dialog accepts is
// written to a slot and read back as typed.
TEST(NameDialog, EveryCharacterItAcceptsReadsBackAsTyped) {
    int accepted = 0;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        std::string utf8;
        if (c < 0x80) {
            utf8 = {static_cast<char>(c)};
        } else if (c < 0x800) {
            utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            utf8 = {static_cast<char>(0xE0 | (c >> 12)),
                    static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        }
        if (!WhyNotAName(utf8).empty()) continue;
        ++accepted;
        const SlotText typed{"部屋", "名" + utf8 + "前", utf8};
        const std::optional<std::string> bytes = FormatTextFile(typed);
        ASSERT_TRUE(bytes) << "U+" << std::hex << static_cast<int>(c);
        SlotText read;
        std::string why;
        ASSERT_TRUE(ParseTextFile(*bytes, &read, &why)) << "U+" << std::hex << static_cast<int>(c);
        ASSERT_EQ(read.name, typed.name) << "U+" << std::hex << static_cast<int>(c);
        ASSERT_EQ(read.nickname, typed.nickname) << "U+" << std::hex << static_cast<int>(c);
    }
    // ASCII without its controls and the quote, the half-width katakana, the
    // JIS rows with the NEC and IBM extensions, and the private use area.
    EXPECT_GT(accepted, 9000);
    std::printf("the name dialog accepts %d characters of the BMP\n", accepted);
}

TEST(NameDialog, ClosingItKeepsTheNamesOfTheLastOk) {
    GameFolder folder;
    // "ケン" with an empty nickname is stored by its OK and the dialog
    // stays; the end of the input then closes it through the window system.
    test::Trace closed = Play(folder, {"no", "yes", "ケン"});
    EXPECT_EQ(closed.finalState.PlayerName, "ケン");
    EXPECT_EQ(closed.finalState.Nickname, "");
}

TEST(NameDialog, ClosingAfterARefusalKeepsTheNamesHeldBefore) {
    GameFolder folder;
    test::Trace t = Play(folder, {"no", "yes", "A\"\tB"});
    EXPECT_EQ(t.finalState.PlayerName, "佐々木");
    EXPECT_EQ(t.finalState.Nickname, "リュウ君");
}

// Escape sequences from a file never reach the terminal raw: every control
// character of a message is written as an escape on its trace line.
TEST(MessageWindow, ControlCharactersAreEscapedOnTheTraceLine) {
    GameFolder folder;
    folder.WriteText("kumi01.dat", "x\r\n\x1b[2Jベル\x07\tタブ\x7f\r\n");
    test::Trace t = Play(folder, {"no", "no", "no"});
    EXPECT_TRUE(t.Has("MSG \\x1B[2Jベル\\x07\\tタブ\\x7F")) << t.Text();
}

TEST(MessageWindow, OnlyTheFirstPlaceholderOfEachKindIsFilled) {
    GameFolder folder;
    folder.WriteText("kumi01.dat", "x\r\n*と@と*と@\r\n＊全角＠\r\n\r\nline\\one\r\n");
    test::Trace t = Play(folder, {"no", "no", "no"});
    EXPECT_TRUE(t.Has("MSG 佐々木とリュウ君と*と@"));
    EXPECT_TRUE(t.Has("MSG ＊全角＠"));
    EXPECT_TRUE(t.Has("MSG "));  // an empty line still replaces the caption
    EXPECT_TRUE(t.Has("MSG line\\\\one"));
}

TEST(MessageWindow, PromptsKeepTheirOwnLineBreaks) {
    GameFolder folder;
    test::Trace t = Play(folder, {});
    EXPECT_TRUE(
        t.Has("MSG データをロードしますか？\\n<初めてプレイするときはNOを選んでください。>"));
}

}  // namespace
}  // namespace velmora
