// The read-text record and skipping: what has been read is remembered
// across games and restarts, in the player's own file and never in a slot;
// skipping passes read messages and stops at the first unread one and at
// every window that is not a NEXT.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "app/album_pictures.h"
#include "app/following.h"
#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "player/read_record.h"
#include "replay/skip.h"
#include "tests/child_process.h"
#include "tests/engine/harness.h"
#include "tests/hostile_things.h"
#include "tests/private_mount.h"

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

// Line ends an editor or a sync tool made (CR LF, a byte-order mark) read
// as the game's own. A damaged line (a CR inside it, a last line without
// its newline, an empty or a foreign line) is read past and counted, the
// rest kept and written back,
// and a well-formed line of a newer version kept as it is. The player is
// told once how many lines could not be read; a file that lost more than
// ten lines, or a tenth of its lines, is first set aside beside it. (One
// damaged line once threw the whole record away.)
TEST(ReadRecord, DamagedLinesAreCountedAndEverythingElseKept) {
    std::string thousand = "velmora read-record 1\n";
    for (int i = 0; i < 1000; ++i) thousand += "read key " + std::to_string(i) + "\n";
    std::string crAt500 = thousand, crlf;
    crAt500.insert(crAt500.find("read key 500") + 12, "\r");
    for (const char c : thousand) crlf += c == '\n' ? "\r\n" : std::string(1, c);
    const std::string newer = "bookmark kumi01.dat 3 a b";
    const struct {
        std::string file;
        size_t keys;  // read and seen
        size_t lost;
        bool setAside;
    } cases[] = {{crAt500, 1000, 0, false},
                 {crlf, 1000, 0, false},
                 {"\xEF\xBB\xBF" + thousand, 1000, 0, false},
                 {thousand.substr(0, thousand.size() - 1), 999, 1, false},
                 {thousand + "seen \n", 1000, 1, false},
                 {thousand + "read a\rb\n", 1000, 1, false},
                 {thousand + newer + "\n", 1000, 0, false},
                 {"garbage", 0, 1, true},
                 {"velmora read-record 1\nread a\x01z\n\nseen park P1\n", 1, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.substr(c.file.size() - std::min<size_t>(c.file.size(), 30)));
        GameFolder data;
        data.Write(ReadRecord::kFileName, c.file);
        PosixFiles files(data.path());
        ReadRecord record, again;
        std::string notice, why;
        record.Load(files, &notice);
        EXPECT_EQ(record.readCount() + record.seen().size(), c.keys);
        const std::string kept = ReadRecord::kFileName + std::string(".damaged");
        EXPECT_EQ(
            notice,
            c.lost == 0
                ? ""
                : "既読の記録のうち " + std::to_string(c.lost) +
                      " 行を読めませんでした。読めた記録はそのまま使います。" +
                      (c.setAside ? "もとのファイルは " + kept + " として残してあります。" : ""));
        EXPECT_EQ(data.Has(kept) ? data.Read(kept) : "", c.setAside ? c.file : "");
        record.MarkSeen("park P9");
        ASSERT_TRUE(record.Save(files, &why)) << why;
        notice.clear();
        again.Load(files, &notice);
        EXPECT_EQ(notice, "");
        EXPECT_EQ(again.readCount() + again.seen().size(), c.keys + 1);
        EXPECT_EQ(data.Read(ReadRecord::kFileName).find(newer) != std::string::npos,
                  c.file.find(newer) != std::string::npos);
    }
    // A second damaged file is set aside under a name of its own.
    GameFolder data;
    data.Write(ReadRecord::kFileName + std::string(".damaged"), "first");
    data.Write(ReadRecord::kFileName, "second");
    PosixFiles files(data.path());
    ReadRecord record;
    std::string notice;
    record.Load(files, &notice);
    EXPECT_EQ(data.Read(ReadRecord::kFileName + std::string(".damaged")), "first");
    EXPECT_EQ(data.Read(ReadRecord::kFileName + std::string(".damaged-2")), "second");
}

// A record that is there but cannot be read (too large, not a file) is left
// as it is and the player is told why; it is never written over from
// nothing. (It was once called damaged and rewritten to its first line.)
TEST(ReadRecord, OneThatCannotBeReadIsLeftAsItIsAndSaysWhy) {
    HangGuard guard;
    std::string millionKeys = "velmora read-record 1\n";
    for (int i = 0; i < 1000000; ++i) millionKeys += "read key " + std::to_string(i) + "\n";
    const std::pair<const char*, std::string> large[] = {{"a million keys", millionKeys},
                                                         {"100 MB", ""}};
    for (const auto& [what, bytes] : large) {
        GameFolder data;
        const std::string path = data.path() + "/" + ReadRecord::kFileName;
        data.Write(ReadRecord::kFileName, bytes);
        if (bytes.empty()) std::filesystem::resize_file(path, 100'000'000);
        PosixFiles files(data.path());
        ReadRecord record;
        std::string notice, why;
        record.Load(files, &notice);
        EXPECT_EQ(notice, ReadRecord::kLeftAlone + std::string(ReadRecord::kFileName) +
                              " は大きすぎます（4194304 バイトまで）。")
            << what;
        record.MarkSeen("park P1");
        EXPECT_FALSE(record.Save(files, &why)) << what;
        EXPECT_EQ(std::filesystem::file_size(path), bytes.empty() ? 100'000'000 : bytes.size());
    }
    for (const char* what : kNotFiles) {
        GameFolder data;
        const std::string path = data.path() + "/" + ReadRecord::kFileName;
        ASSERT_EQ(PlantNotAFile(path, what), "");
        const auto kind = std::filesystem::symlink_status(path).type();
        PosixFiles files(data.path());
        ReadRecord record;
        std::string notice, why;
        record.Load(files, &notice);
        EXPECT_TRUE(
            notice.starts_with(std::string(ReadRecord::kLeftAlone) + ReadRecord::kFileName + " は"))
            << what << ": " << notice;
        record.MarkSeen("park P1");
        EXPECT_FALSE(record.Save(files, &why)) << what;
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), kind) << what;
    }
}

// A record the player may not read (mode 000, read as another user than
// root): told why, and left byte for byte, though the folder may be written.
TEST(ReadRecord, OneThePlayerMayNotReadIsToldAndKeptAsItIs) {
    GameFolder data;
    const std::string kept = "velmora read-record 1\nseen park P3\n";
    data.Write(ReadRecord::kFileName, kept);
    ::chmod(data.path().c_str(), 0777);
    ::chmod((data.path() + "/" + ReadRecord::kFileName).c_str(), 0);
    const std::optional<std::string> found = AsNobody([&] {
        PosixFiles files(data.path());
        ReadRecord record;
        std::string notice, why;
        record.Load(files, &notice);
        record.MarkSeen("park P1");
        return notice + (record.Save(files, &why) ? "|saved" : "|kept");
    });
    if (!found) GTEST_SKIP() << "no other user to read as here";
    if (::geteuid() != 0 && found->ends_with("|saved")) GTEST_SKIP() << "mode 000 is readable here";
    EXPECT_EQ(*found, ReadRecord::kLeftAlone + std::string(ReadRecord::kFileName) +
                          " を読む権限がありません（" + std::strerror(EACCES) + "）。|kept");
    EXPECT_EQ(data.Read(ReadRecord::kFileName), kept);
}

// A damaged line is told at one start only, however that game ends: the
// record is written again as it is loaded. (It was told at every start
// until the game wrote the record.)
TEST(ReadRecord, ADamagedLineIsToldAtOneStartOnly) {
    GameFolder data;
    data.Write(ReadRecord::kFileName, "velmora read-record 1\nseen park P3\n\x01junk\n");
    PosixFiles files(data.path());
    std::string notices[2];
    for (std::string& notice : notices) {
        KeptRecord record(files);
        record.Load(&notice);
        EXPECT_TRUE(record.record().Seen("park P3"));
    }
    EXPECT_NE(notices[0], "");
    EXPECT_EQ(notices[1], "");
}

// On a full disk the record cannot be written: the player is told once, and
// the file keeps what it held.
TEST(ReadRecord, AFullDiskIsToldOnceAndTheFileKept) {
    std::string why;
    const std::optional<std::string> found = InPrivateTmpfs(
        "64k",
        [](const std::string& disk) {
            const std::string kept = "velmora read-record 1\nseen park P3\n";
            std::ofstream(disk + "/" + ReadRecord::kFileName) << kept;
            std::ofstream filler(disk + "/filler");
            while (filler << std::string(4096, 'x') << std::flush) {
            }
            PosixFiles files(disk);
            KeptRecord record(files);
            std::vector<std::string> told;
            record.TellWith([&](const std::string& text) { told.push_back(text); });
            std::string notice;
            record.Load(&notice);
            for (const char* event : {"park P1", "park P2"}) {
                record.record().MarkSeen(event);
                record.Keep(true);
            }
            std::ifstream in(disk + "/" + ReadRecord::kFileName);
            const bool same = std::string(std::istreambuf_iterator<char>(in), {}) == kept;
            return std::to_string(told.size()) + "|" + (told.empty() ? "" : told[0]) +
                   (same ? "|kept" : "|changed");
        },
        &why);
    if (!found) GTEST_SKIP() << "no file system of the test's own: " << why;
    EXPECT_TRUE(found->starts_with("1|" + std::string(ReadRecord::kNotWritten))) << *found;
    EXPECT_NE(found->find(std::strerror(ENOSPC)), std::string::npos) << *found;
    EXPECT_TRUE(found->ends_with("|kept")) << *found;
}

// Two games save their record at the same moment, a hundred times over:
// each keeps what the other added. (One game's new keys were once lost in
// 65 of 100 runs.)
TEST(ReadRecord, TwoGamesSavingAtOnceKeepEachOthersKeys) {
    GameFolder data;
    int lost = 0;
    for (int run = 0; run < 100; ++run) {
        std::atomic<int> ready{0};
        const auto game = [&](const std::string& event) {
            PosixFiles files(data.path());
            ReadRecord record;
            std::string notice, why;
            record.Load(files, &notice);
            record.MarkSeen(event);
            for (++ready; ready < 2;) std::this_thread::yield();
            EXPECT_TRUE(record.Save(files, &why)) << why;
        };
        const std::string mine = "a " + std::to_string(run), theirs = "b " + std::to_string(run);
        std::thread first(game, mine), second(game, theirs);
        first.join();
        second.join();
        PosixFiles files(data.path());
        ReadRecord after;
        std::string notice;
        after.Load(files, &notice);
        lost += !after.Seen(mine) + !after.Seen(theirs);
    }
    EXPECT_EQ(lost, 0);
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

// The album: every place's scene in each light that falls on it while the
// place is open (the day's alone where none does), then the digest's stills
// and the two endings, each once and each read by what it shows.
TEST(Album, EveryPictureOnceByItsPlaceAndLightThenTheStills) {
    const std::vector<album::Picture>& pictures = TheAlbum();
    std::set<std::string> keys;
    for (const album::Picture& p : pictures) {
        EXPECT_TRUE(keys.insert(p.key).second) << p.key;
        EXPECT_NE(p.words, "絵") << p.key;
    }
    const std::pair<const char*, std::vector<std::string>> scenes[] = {
        {"apart.jpg",
         {"アパート（明け方）", "アパート", "アパート（夕方）", "アパート（夕焼け）",
          "アパート（夕暮れ）", "アパート（夜）"}},
        {"kouen.jpg",
         {"公園（明け方）", "公園", "公園（夕方）", "公園（夕焼け）"}},  // AM 6 to PM 6:30
    };
    for (const auto& [file, words] : scenes) {
        std::vector<std::string> found;
        for (const album::Picture& p : pictures) {
            if (p.file == file) found.push_back(p.words);
        }
        EXPECT_EQ(found, words) << file;
    }
    const std::pair<const char*, const char*> stills[] = {
        {"hitomi3.jpg", "部屋にいるひとみ"},
        {"ryouko2.jpg", "部屋で笑う涼子"},
        {"kaori3.jpg", "夜の部屋で涙ぐむ香織"},
        {"hitomi_e1.jpg", "夕暮れの海辺で笑うひとみ"},
        {"kaori_e1.jpg", "テニスコートで笑う香織"}};
    ASSERT_GT(pictures.size(), std::size(stills));
    for (size_t i = 0; i < std::size(stills); ++i) {
        const album::Picture& p = pictures[pictures.size() - std::size(stills) + i];
        EXPECT_EQ(p.file + " " + p.words, std::string(stills[i].first) + " " + stills[i].second);
    }
}

// The pictures a game shows are the player's to see again in any later
// game: a first game's visit to the park at sunset, a second's digest stills
// and two endings, in the record's file; what was not shown stays unseen.
TEST(Album, PicturesSeenAreKeptAcrossGames) {
    GameFolder folder;
    PosixFiles files(folder.path());
    std::string notice, why;
    for (const int hour : {5, 11}) {
        folder.WriteSlot("file1", FlagsAt(4, PM, hour, 30), "部屋");
        ReadRecord record;
        record.Load(files, &notice);
        const std::vector<std::string> park = {"", "yes", "file1", "yes", "", "公園"};
        PlayReading(folder, record, Inputs(park + Clicks(hour == 5 ? 3 : 60)));
        ASSERT_TRUE(record.Save(files, &why)) << why;
    }
    ReadRecord later;
    later.Load(files, &notice);
    std::vector<std::string> seen;
    for (const album::Picture& p : TheAlbum()) {
        if (later.PictureSeen(p.key)) seen.push_back(p.key);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"kouen.jpg sunset", "hitomi3.jpg", "ryouko2.jpg",
                                              "kaori3.jpg", "hitomi_e1.jpg", "kaori_e1.jpg"}));
}

}  // namespace
}  // namespace velmora::test
