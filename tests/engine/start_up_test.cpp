// The title click, the load and name questions, the name dialog's rules,
// the placeholders of the message window and the introduction's branches.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"

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
