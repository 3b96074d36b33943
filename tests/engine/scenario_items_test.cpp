// The item rules the scenario writers rely on, and what LoadScript does with
// short, long, missing and badly encoded files.
#include <gtest/gtest.h>

#include "tests/engine/harness.h"
#include "world/cp932.h"
#include "world/scenario_items.h"

namespace velmora {
namespace {

std::vector<std::string> Texts(std::string_view text) {
    std::vector<std::string> out;
    for (const Item& i : ReadItems(text)) out.push_back(i.text);
    return out;
}

TEST(ScenarioItems, CommasQuotesSpacesAndEmptyLinesTakeTheirPlaces) {
    EXPECT_EQ(Texts("a,b\r\n   c\r\n\"d, e\" tail\r\n\r\n,f\r\n"),
              (std::vector<std::string>{"a", "b", "c", "d, e", "", "", "f"}));
}

TEST(ScenarioItems, TheLineEndAfterTheLastItemMakesNoItem) {
    EXPECT_EQ(Texts("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Texts("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(Texts("").empty());
}

TEST(ScenarioItems, LoneCrAndLoneLfEndLinesToo) {
    EXPECT_EQ(Texts("a\rb\nc"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ScenarioItems, AnUnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(Texts("\"a, b\r\nc"), (std::vector<std::string>{"a, b\r\nc"}));
}

TEST(ScenarioItems, FullWidthCommasSplitNothingAndTrailingBlanksGo) {
    EXPECT_EQ(Texts("ひらがな、カタカナ，ﾊﾝｶｸ  \r\n"),
              (std::vector<std::string>{"ひらがな、カタカナ，ﾊﾝｶｸ"}));
}

TEST(Cp932, DecodesTheWindowsTableAndReplacesBadBytes) {
    bool clean = false;
    EXPECT_EQ(DecodeCp932("\x81\x60\x87\x40\x5c", &clean), "～①\\");
    EXPECT_TRUE(clean);
    EXPECT_EQ(DecodeCp932("a\x80"
                          "b\x82",
                          &clean),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
    EXPECT_FALSE(clean);
}

TEST(Cp932, RefusesWhatItCannotEncode) {
    EXPECT_EQ(EncodeCp932("佐々木ﾘｭｳ"),
              std::optional<std::string>("\x8d\xb2\x81\x58\x96\xd8\xd8\xad\xb3"));
    EXPECT_FALSE(EncodeCp932("😀"));
    EXPECT_FALSE(EncodeCp932("\xff"));
}

using test::GameFolder;
using test::Play;

TEST(LoadScript, AShortFileLeavesTheEarlierFilesLaterLines) {
    GameFolder folder;
    folder.Write("kumi01.dat", "k0\r\nk1\r\n");  // two items only
    test::Trace t = Play(folder, {"no", "no", "yes"});
    // Lines 2..27 of the invitation still hold the introduction's own text
    // or nothing; the stale entries are shown, never anything out of bounds.
    EXPECT_TRUE(t.Has("MSG k1"));
    EXPECT_TRUE(t.ended);
}

TEST(LoadScript, AMissingFileIsNamedAndTheSceneGoesOn) {
    GameFolder folder;
    folder.Remove("akira01.dat");
    test::Trace t = Play(folder, {"no", "no", "yes"});
    int notice = -1;
    for (int i = 0; i < static_cast<int>(t.lines.size()); ++i) {
        if (t.lines[i].find("akira01.dat") != std::string::npos) notice = i;
    }
    ASSERT_GE(notice, 0) << t.Text();
    EXPECT_EQ(t.lines[notice + 1], "NEXT?");
    EXPECT_GE(t.Find("MENU? "
                     "アパート|防波堤|弁当屋|公園|明の家|セルビア|パソコンショップ|学校|ひとみの家|"
                     "テニスコート|ロード|セーブ|メイン画面移動|BGM|終了|画像処理"),
              notice);
}

TEST(LoadScript, FileNamesAreFoundWhateverTheirLetterCase) {
    GameFolder folder;
    folder.Remove("kumi01.dat");
    folder.Write("KUMI01.DAT", "x\r\nupper#1\r\n");
    test::Trace t = Play(folder, {"no", "no", "no"});
    EXPECT_TRUE(t.Has("MSG upper#1"));
}

TEST(LoadScript, BadBytesAreReplacedNotFatal) {
    GameFolder folder;
    folder.Write("kumi01.dat", std::string("x\r\nbad\x80\xff line\r\n"));
    test::Trace t = Play(folder, {"no", "no", "no"});
    EXPECT_TRUE(t.Has("MSG bad\xEF\xBF\xBD\xEF\xBF\xBD line"));
}

}  // namespace
}  // namespace velmora
