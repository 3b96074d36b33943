// The player's settings file read as the player may have written it, and
// what it holds that this version does not know kept when it is saved.
#include <gtest/gtest.h>

#include <utility>

#include "backends/posix/posix_files.h"
#include "player/comfort_settings.h"
#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

// A byte-order mark once lost the first section, a comment after a value
// the volume; saving dropped every key this version does not know.
TEST(ComfortSettings, TheFileIsReadAsWrittenAndWhatItDoesNotKnowIsKept) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string written[] = {
        bom + "[music]\nvolume=40\nmuted=true\n",
        "[music]\r\nvolume = 40 ; quieter at night\r\nmuted=true;\r\n",
        "; my settings\n# of the game\n[music]\nvolume=40\t; night\nmuted = true ; \n",
        "[music]\nvolume=40\nmuted=yes\n",
    };
    for (const std::string& text : written) {
        const ComfortSettings read = ParseComforts(text);
        EXPECT_EQ(read.volume, 40) << text;
        EXPECT_TRUE(read.muted) << text;
    }

    GameFolder folder;
    folder.Write(kComfortsFile,
                 bom + "[music]\nvolume=40 ; night\nfade=slow\n\n[window]\nx=10\ny=20\n");
    PosixFiles files(folder.path());
    std::string why;
    ComfortSettings settings = LoadComforts(files, &why);
    settings.largerText = true;
    ASSERT_TRUE(SaveComforts(files, settings, &why)) << why;
    const std::string saved = folder.Read(kComfortsFile);
    EXPECT_EQ(ParseComforts(saved), settings) << saved;
    EXPECT_NE(saved.find("[music]\nmuted=false\nvolume=40\nfade=slow\n"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("[window]\nx=10\ny=20\n"), std::string::npos) << saved;
    // What this version writes of its own is as it always was.
    folder.Remove(kComfortsFile);
    ASSERT_TRUE(SaveComforts(files, settings, &why)) << why;
    EXPECT_EQ(folder.Read(kComfortsFile), FormatComforts(settings));
}

// Auto-advance's pace: one digit of the game's paces; anything else an
// editor or another version wrote leaves the game's own pace.
TEST(ComfortSettings, ThePaceIsOneOfTheGames) {
    const std::pair<const char*, int> cases[] = {
        {"[input]\nautoAdvancePace=4\n", 4},  {"[input]\nautoAdvancePace = 0 ; slow\n", 0},
        {"[input]\nautoAdvancePace=5\n", 2},  {"[input]\nautoAdvancePace=-1\n", 2},
        {"[input]\nautoAdvancePace=33\n", 2}, {"[input]\nautoAdvancePace=fast\n", 2},
        {"[music]\nautoAdvancePace=4\n", 2},  {"[input]\nautoAdvance=true\n", 2},
    };
    for (const auto& [text, pace] : cases) {
        const ComfortSettings read = ParseComforts(text);
        EXPECT_EQ(read.autoAdvancePace, pace) << text;
        EXPECT_EQ(ParseComforts(FormatComforts(read)), read) << text;
    }
}

// A setting the game knows in a value it cannot read stays as the default,
// and is counted so that the player is told; another version's keys and
// the player's own are not slips.
TEST(ComfortSettings, ValuesOfNoReadableFormAreCounted) {
    const std::pair<const char*, int> cases[] = {
        {"[music]\nvolume=40\nmuted=true\n", 0},
        {"[music]\nvolume=loud\nmuted=maybe\n[input]\nautoAdvancePace=9\n", 3},
        {"[music]\nvolume=\nfade=slow\n[window]\nx=10\n", 1},
        {"[display]\nlargerText=true ; big\n[speech]\nspeakMessages=0\n", 0},
    };
    for (const auto& [text, count] : cases) {
        int unread = -1;
        ParseComforts(text, &unread);
        EXPECT_EQ(unread, count) << text;
    }
}

// The text's speed: one digit of the game's speeds; a file of an older
// version, without it, shows each message whole at once as that version did.
TEST(ComfortSettings, TheTextSpeedIsOneOfTheGames) {
    const int atOnce = timing::kDefaultTextSpeed;
    const std::pair<const char*, int> cases[] = {
        {"[input]\ntextSpeed=0\n", 0},
        {"[input]\ntextSpeed = 1 ; calm\n", 1},
        {"[input]\ntextSpeed=4\n", atOnce},
        {"[input]\ntextSpeed=-1\n", atOnce},
        {"[input]\ntextSpeed=10\n", atOnce},
        {"[display]\ntextSpeed=0\n", atOnce},
        {"[input]\nautoAdvancePace=0\nskipUnread=true\n", atOnce},
    };
    for (const auto& [text, speed] : cases) {
        const ComfortSettings read = ParseComforts(text);
        EXPECT_EQ(read.textSpeed, speed) << text;
        EXPECT_EQ(ParseComforts(FormatComforts(read)), read) << text;
    }
    // The letters shown as time goes by: all at once at the game's speed,
    // else one more each step of the speed, never more than the message has.
    const int slowest = timing::MsPerLetter(0);
    EXPECT_EQ(timing::LettersShown(0, atOnce, 20), 20);
    EXPECT_EQ(timing::LettersShown(0, 0, 20), 0);
    EXPECT_EQ(timing::LettersShown(3 * slowest - 1, 0, 20), 2);
    EXPECT_EQ(timing::LettersShown(3 * slowest, 0, 20), 3);
    EXPECT_EQ(timing::LettersShown(100 * slowest, 0, 20), 20);
}

}  // namespace
}  // namespace velmora::test
