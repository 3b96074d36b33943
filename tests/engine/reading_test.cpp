// The read-text record and skipping: what has been read is remembered
// across games and restarts, in the player's own file and never in a slot;
// skipping passes read messages and stops at the first unread one and at
// every window that is not a NEXT.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "app/following.h"
#include "platform/posix_files.h"
#include "platform/read_record.h"
#include "platform/skip.h"
#include "platform/trace_platform.h"
#include "tests/engine/harness.h"
#include "tests/hostile_things.h"

namespace velmora::test {
namespace {

// A game over the terminal protocol with skipping, remembering what it
// shows in `record`; `answer` sees each prompt and the skipping.
std::vector<std::string> PlayReading(
    const GameFolder& folder, ReadRecord& record,
    const std::function<std::optional<std::string>(const std::string&, Skip&)>& answer) {
    std::ostringstream out;
    PosixFiles files(folder.path());
    Skip* skipping = nullptr;
    TracePlatform platform(
        out, [&](const std::string& prompt) { return answer(prompt, *skipping); }, files);
    Skip skip(platform, record);
    skipping = &skip;
    const std::unique_ptr<Form1> game = FollowedGame(skip, record, &skip);
    platform.PlayGame(*game);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Answers in order, each prompt taking one (as velmora-tty's input does).
std::function<std::optional<std::string>(const std::string&, Skip&)> Inputs(
    std::vector<std::string> inputs) {
    auto next = std::make_shared<size_t>(0);
    return [inputs, next](const std::string&, Skip&) -> std::optional<std::string> {
        if (*next == inputs.size()) return std::nullopt;
        return inputs[(*next)++];
    };
}

const std::vector<std::string> kNewGame = {"", "no", "no"};

std::vector<std::string> Clicks(size_t n) {
    return std::vector<std::string>(n, "");
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The MSG line just before each NEXT? that the front end was asked.
std::vector<std::string> Asked(const std::vector<std::string>& lines) {
    std::vector<std::string> asked;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] == "NEXT?") asked.push_back(lines[i - 1]);
    }
    return asked;
}

TEST(ReadRecord, SurvivesARestartAndTwoGamesAddUp) {
    GameFolder data;
    PosixFiles files(data.path());
    ReadRecord first, second, after;
    std::string notice, why;
    first.Load(files, &notice);
    second.Load(files, &notice);
    first.MarkRead("line kumi01.dat 1 0123456789abcdef");
    first.MarkSeen("park P3");
    second.MarkSeen("digest");
    ASSERT_TRUE(first.Save(files, &why)) << why;
    ASSERT_TRUE(second.Save(files, &why)) << why;
    after.Load(files, &notice);
    EXPECT_EQ(notice, "");
    EXPECT_TRUE(after.Read("line kumi01.dat 1 0123456789abcdef"));
    EXPECT_TRUE(after.Seen("park P3"));
    EXPECT_TRUE(after.Seen("digest"));
    EXPECT_FALSE(after.changed());
}

// A damaged record counts as empty, says so once, and is written anew.
TEST(ReadRecord, ADamagedFileIsEmptyWithOneNoticeAndRewritten) {
    HangGuard guard;
    for (const std::string& damage : std::vector<std::string>{
             "garbage", "velmora read-record 1\nread cut off", "velmora read-record 1\nbad line\n",
             std::string("velmora read-record 1\nread a\x01z\n"),
             std::string(5 * 1024 * 1024, 'x')}) {
        GameFolder data;
        data.Write(ReadRecord::kFileName, damage);
        PosixFiles files(data.path());
        ReadRecord record, again;
        std::string notice, why;
        record.Load(files, &notice);
        EXPECT_EQ(notice, ReadRecord::kDamaged) << damage.substr(0, 40);
        EXPECT_TRUE(record.changed());
        record.MarkSeen("park P1");
        ASSERT_TRUE(record.Save(files, &why)) << why;
        notice.clear();
        again.Load(files, &notice);
        EXPECT_EQ(notice, "");
        EXPECT_TRUE(again.Seen("park P1"));
    }
    for (const char* what : kNotFiles) {
        GameFolder data;
        ASSERT_EQ(PlantNotAFile(data.path() + "/" + ReadRecord::kFileName, what), "");
        PosixFiles files(data.path());
        ReadRecord record;
        std::string notice;
        record.Load(files, &notice);
        EXPECT_EQ(notice, std::string(ReadRecord::kDamaged)) << what;
        EXPECT_EQ(record.readCount(), 0u) << what;
    }
}

// The record goes to its own file: a slot saved while it follows the game
// is byte for byte the slot of a game without it.
TEST(ReadRecord, NeverWrittenIntoASlot) {
    const std::vector<std::string> saveAtTheMenu =
        kNewGame + Clicks(34) + std::vector<std::string>{"no"} + Clicks(5) +
        std::vector<std::string>{"セーブ", "file1", "yes", ""};
    GameFolder reading, plain;
    ReadRecord record;
    PlayReading(reading, record, Inputs(saveAtTheMenu));
    Trace without = Play(plain, {"no", "no", "no", "セーブ", "file1", "yes"});
    EXPECT_GT(record.readCount(), 30u);
    EXPECT_EQ(reading.Read("file1"), plain.Read("file1"));
    EXPECT_EQ(reading.Read("file1_text"), plain.Read("file1_text"));
}

// The first game shows the introduction up to Kumi's sixth line (on the
// screen as the window closes); the second skips from the first line on
// and stops at the first it has not shown.
TEST(Skip, StopsAtTheFirstUnreadLineOfAPartlyReadScene) {
    GameFolder folder;
    ReadRecord record;
    PlayReading(folder, record, Inputs(kNewGame + Clicks(11)));
    bool toggled = false;
    auto scripted = Inputs(kNewGame);
    const std::vector<std::string> lines =
        PlayReading(folder, record, [&](const std::string& prompt, Skip& skip) {
            if (prompt == "NEXT?" && !toggled) {
                toggled = true;
                skip.Toggle();
                EXPECT_TRUE(skip.Passes());
                return std::optional<std::string>("");
            }
            if (prompt == "NEXT?") {
                EXPECT_FALSE(skip.active());
                return std::optional<std::string>();
            }
            return scripted(prompt, skip);
        });
    const std::vector<std::string> asked = Asked(lines);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "MSG 「オレの名前は佐々木。みんなからはリュウ君って呼ばれてる。」");
    EXPECT_EQ(asked[1], "MSG kumi01#7");
}

// Skipping unread text too, switched on at every prompt, it passes every
// NEXT and stops at each other window, answering none of them: the
// question, the name dialog, the list, the menu and the picture; and at the
// end of the days.
std::vector<std::string> StopsWith(const GameFolder& folder, const std::vector<std::string>& then) {
    ReadRecord record;
    std::vector<std::string> stoppedAt;
    size_t next = 0;
    PlayReading(folder, record, [&](const std::string& prompt, Skip& skip) {
        skip.SkipUnreadToo(true);
        if (prompt == "CLICK?") return std::optional<std::string>("");
        EXPECT_FALSE(skip.active()) << prompt;
        stoppedAt.push_back(prompt.substr(0, prompt.find(' ')));
        skip.Toggle();
        if (next == then.size()) return std::optional<std::string>();
        return std::optional<std::string>(then[next++]);
    });
    return stoppedAt;
}

TEST(Skip, StopsAtEveryWindowButNextAndAnswersNone) {
    GameFolder folder;
    EXPECT_EQ(StopsWith(folder, {"no", "yes", "佐藤\tサトー", "no", "アパート", "移動する"}),
              (std::vector<std::string>{"YESNO?", "YESNO?", "NAME?", "YESNO?", "MENU?", "LIST?",
                                        "MENU?"}));
    // The last half hour of Day 4: the end of the days, and the digest's
    // two pictures.
    GameFolder end;
    end.WriteSlot("file1", FlagsAt(4, PM, 11, 30), "部屋");
    EXPECT_EQ(StopsWith(end, {"yes", "file1", "yes", "公園", "", "", ""}),
              (std::vector<std::string>{"YESNO?", "LIST?", "YESNO?", "MENU?", "NEXT?", "PICTURE?",
                                        "PICTURE?"}));
}

}  // namespace
}  // namespace velmora::test
