// Saving when the file system fails: every system call of a save, of each
// kind in turn, made to fail at its Nth use, for every N until the save goes
// through without reaching it. A failed save is reported in the message
// window and leaves the previous slot byte for byte and no helper file; a
// save that completes holds exactly the new game.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "backends/posix/posix_files.h"
#include "tests/engine/harness.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

constexpr int kUnusedSlot = 90;  // a flag no scene uses, saved all the same

using test::GameFolder;
using Listing = std::map<std::string, std::string>;  // name -> bytes

Listing ListFolder(const GameFolder& folder) {
    Listing files;
    for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = e.path().filename().string();
        files[name] = folder.Read(name);
    }
    return files;
}

// The system calls of the file layer, counted by kind; the Nth call of one
// kind fails with `error`, and after it the calls in `then` (the Nth call
// of a kind counted from that failure on). A crash can be staged too: from
// the `crashAt`th call of any kind after the first failure on, calls throw,
// leaving the files as a killed process would.
struct Faults {
    Faults(std::string kind, int n, int error = EIO, int crashAt = 0, size_t shortWrites = 0)
        : kind(std::move(kind)), n(n), error(error), crashAt(crashAt), shortWrites(shortWrites) {}

    std::string kind;
    int n = 0;
    int error = EIO;
    int crashAt = 0;         // 0: no crash
    size_t shortWrites = 0;  // when not 0, no write takes more bytes than this

    std::map<std::string, int> then;  // kind -> N after the first failure

    std::map<std::string, int> calls, callsAfter;
    bool fired = false;
    int afterFailure = 0;

    struct Crash {};

    template <typename Call>
    auto Hook(const std::string& what, Call call) {
        return [this, what, call](auto... args) {
            if (fired && crashAt > 0 && ++afterFailure >= crashAt) throw Crash{};
            const bool first = !fired && what == kind && ++calls[what] == n;
            const bool later = fired && then.count(what) && ++callsAfter[what] == then[what];
            if (first || later) {
                fired = true;
                errno = error;
                return static_cast<decltype(call(args...))>(-1);
            }
            return call(args...);
        };
    }

    FileOps Ops() {
        FileOps sys = FileOps::System();
        FileOps ops;
        ops.open = Hook("open", sys.open);
        ops.fsync = Hook("fsync", sys.fsync);
        ops.close = Hook("close", sys.close);
        ops.rename = Hook("rename", sys.rename);
        ops.unlink = Hook("unlink", sys.unlink);
        ops.link = Hook("link", sys.link);
        auto write = sys.write;
        size_t limit = shortWrites;
        ops.write = Hook("write", [write, limit](int fd, const void* b, size_t size) {
            return write(fd, b, limit ? std::min(size, limit) : size);
        });
        return ops;
    }
};

struct SaveResult {
    std::string message;             // the last message of the save
    std::string flagFile, textFile;  // what the game would write
};

// Saves a game on Day 3 into `slot` through a file layer with these faults.
SaveResult Save(const GameFolder& folder, Faults& faults, const std::string& slot = "file1") {
    PosixFiles files(folder.path(), faults.Ops());
    fuzz::QuietPlatform quiet(10, &files);
    Form1 form(quiet.platform());
    GameState& s = form.state();
    s.ClickState = click::kPlaying;
    s.SelectedFile = slot;
    s.Day = 3;
    s.Half = PM;
    s.Hour = 4;
    s.Minute = 30;
    s.CurrentPlace = "防波堤";
    s.flag(Flag::KumisInvitation) = 1;
    s.Flags[kUnusedSlot] = -12;
    SaveResult r;
    try {
        SaveGame(form);
    } catch (const Faults::Crash&) {
    }
    r.message = quiet.LastMessage();
    r.flagFile = FormatFlagFile(s.Flags);
    r.textFile = *FormatTextFile({s.CurrentPlace, s.PlayerName, s.Nickname});
    return r;
}

const char* const kKinds[] = {"open", "write", "fsync", "close", "link", "rename", "unlink"};

struct Outcomes {
    int runs = 0, failed = 0;
};

// Runs every fault of every kind on a folder made by `prepare`; a failed
// save must say `left` of the slot.
Outcomes EveryFault(const std::function<void(const GameFolder&)>& prepare, const std::string& slot,
                    const std::string& left) {
    Outcomes o;
    for (const char* kind : kKinds) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(std::string(kind) + " #" + std::to_string(n));
            GameFolder folder;
            prepare(folder);
            const Listing before = ListFolder(folder);
            Faults faults{kind, n};
            const SaveResult r = Save(folder, faults, slot);
            ++o.runs;
            Listing after = ListFolder(folder);
            if (r.message == slot + " にセーブしました。") {
                // Done: either the fault was never reached, or it hit a step
                // whose failure costs nothing (tidying up after the commit).
                EXPECT_EQ(after[slot], r.flagFile);
                EXPECT_EQ(after[slot + "_text"], r.textFile);
                if (std::string(kind) == "unlink") {
                    PosixFiles(folder.path()).Recover({slot, slot + "_text"});
                    after = ListFolder(folder);
                }
                Listing expected = before;
                expected[slot] = r.flagFile;
                expected[slot + "_text"] = r.textFile;
                EXPECT_EQ(after, expected) << "helper files left behind";
                if (!faults.fired) break;
                continue;
            }
            ++o.failed;
            EXPECT_TRUE(faults.fired) << r.message;
            EXPECT_NE(r.message.find(slot + " にセーブできませんでした。"), std::string::npos)
                << r.message;
            EXPECT_NE(r.message.find(left), std::string::npos) << r.message;
            EXPECT_EQ(after, before) << "the previous slot changed or helper files were left";
        }
    }
    return o;
}

TEST(SaveFaults, EveryFailedCallOfASaveOverAnOldSlotKeepsTheOldSlot) {
    const Outcomes o = EveryFault(
        [](const GameFolder& f) { f.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "公園"); },
        "file1", "＜前にセーブした内容はそのまま残っています。＞");
    EXPECT_GT(o.failed, 10);
    std::printf("save faults over an old slot: %d saves, %d failed and were reported\n", o.runs,
                o.failed);
}

TEST(SaveFaults, EveryFailedCallOfAFirstSaveLeavesNoSlot) {
    const Outcomes o = EveryFault([](const GameFolder&) {}, "file2",
                                  "＜このファイルにはまだ何もセーブされていません。＞");
    EXPECT_GT(o.failed, 10);
    std::printf("save faults into an empty slot: %d saves, %d failed and were reported\n", o.runs,
                o.failed);
}

TEST(SaveFaults, ShortWritesStillWriteTheWholeSlot) {
    GameFolder folder;
    Faults faults{"none", 0, 0, 0, 7};
    const SaveResult r = Save(folder, faults);
    EXPECT_EQ(r.message, "file1 にセーブしました。");
    EXPECT_EQ(folder.Read("file1"), r.flagFile);
    EXPECT_EQ(folder.Read("file1_text"), r.textFile);
}

TEST(SaveFaults, AFullDiskIsNamedInTheMessage) {
    GameFolder folder;
    folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "公園");
    const std::string old = folder.Read("file1");
    Faults faults{"write", 1, ENOSPC};
    const SaveResult r = Save(folder, faults);
    EXPECT_NE(r.message.find(std::strerror(ENOSPC)), std::string::npos) << r.message;
    EXPECT_EQ(folder.Read("file1"), old);
}

// A save whose renames fail and which is then killed while it puts the old
// files back must not be finished half-way by the next start: the slot is
// all old or all new after Recover.
TEST(SaveFaults, ACrashWhileRollingBackLeavesNoMixedSlot) {
    for (int failedRename = 1; failedRename <= 2; ++failedRename) {
        for (int crashAt = 1; crashAt <= 12; ++crashAt) {
            SCOPED_TRACE("rename #" + std::to_string(failedRename) + " fails, crash at call " +
                         std::to_string(crashAt) + " after it");
            GameFolder folder;
            folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "公園");
            const std::string oldFlags = folder.Read("file1"), oldText = folder.Read("file1_text");
            Faults faults{"rename", failedRename, EIO, crashAt};
            const SaveResult r = Save(folder, faults);
            PosixFiles(folder.path()).Recover({"file1", "file1_text"});
            const std::string flags = folder.Read("file1"), text = folder.Read("file1_text");
            const bool allOld = flags == oldFlags && text == oldText;
            const bool allNew = flags == r.flagFile && text == r.textFile;
            EXPECT_TRUE(allOld || allNew) << "mixed slot";
            Listing expected = {{"file1", flags}, {"file1_text", text}};
            Listing after = ListFolder(folder);
            for (auto it = after.begin(); it != after.end();) {
                it = it->first.ends_with(".dat") ? after.erase(it) : std::next(it);
            }
            EXPECT_EQ(after, expected);
        }
    }
}

// The same when the file system fails again while the old files are put
// back: the marker cannot become an undo marker (and then cannot be removed,
// or no undo marker can be written either), or an old file cannot be put
// back. Killed at any call after that, or not at all, the slot is all old or
// all new once Recover has run.
TEST(SaveFaults, ASecondFailureWhileRollingBackThenACrashLeavesNoMixedSlot) {
    const std::vector<std::map<std::string, int>> seconds = {{{"rename", 1}},
                                                             {{"rename", 1}, {"unlink", 1}},
                                                             {{"rename", 1}, {"open", 1}},
                                                             {{"rename", 2}}};
    for (int failedRename = 1; failedRename <= 2; ++failedRename) {
        for (const auto& second : seconds) {
            for (int crashAt = 1; crashAt <= 16; ++crashAt) {
                std::string what;
                for (const auto& [kind, n] : second) what += " " + kind + " #" + std::to_string(n);
                SCOPED_TRACE("rename #" + std::to_string(failedRename) + " fails, then" + what +
                             ", crash at call " + std::to_string(crashAt));
                GameFolder folder;
                folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "公園");
                const std::string oldFlags = folder.Read("file1"),
                                  oldText = folder.Read("file1_text");
                Faults faults{"rename", failedRename, EIO, crashAt};
                faults.then = second;
                const SaveResult r = Save(folder, faults);
                const bool killed = faults.afterFailure >= crashAt;
                PosixFiles(folder.path()).Recover({"file1", "file1_text"});
                const std::string flags = folder.Read("file1"), text = folder.Read("file1_text");
                const bool allOld = flags == oldFlags && text == oldText;
                const bool allNew = flags == r.flagFile && text == r.textFile;
                EXPECT_TRUE(allOld || allNew) << "mixed slot";
                // A save that lived to say so says what the slot holds.
                if (!killed) {
                    EXPECT_EQ(r.message == "file1 にセーブしました。", allNew) << r.message;
                }
            }
        }
    }
}

struct LoadResult {
    std::string message;  // the last message of the load
    int day = 0;          // the game's day after it
};

// Loads `slot` into a game on Day 1 through a file layer with these faults.
LoadResult Load(const GameFolder& folder, Faults& faults, const std::string& slot = "file1") {
    PosixFiles files(folder.path(), faults.Ops());
    fuzz::QuietPlatform quiet(10, &files);
    Form1 form(quiet.platform());
    form.state().ClickState = click::kPlaying;
    form.state().SelectedFile = slot;
    form.state().Day = 1;
    LoadGame(form);
    return {quiet.LastMessage(), form.state().Day};
}

// A save killed during its renames is finished before the slot is read.
// When the file system will not let that happen, the load is refused and
// changes nothing; the next load finishes the save and reads the new game.
TEST(SaveFaults, ALoadThatCannotFinishACutOffSaveIsRefusedAndTheNextFinishesIt) {
    GameFolder folder;
    folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "公園");
    Faults killed{"rename", 2, EIO, 1};  // killed after the first file is in place
    const SaveResult r = Save(folder, killed);

    Faults failing{"rename", 1};
    const LoadResult refused = Load(folder, failing);
    EXPECT_EQ(refused.message,
              "＜file1 はロードできませんでした。前回のセーブの後始末ができませんでした。＞");
    EXPECT_EQ(refused.day, 1);

    Faults none{"none", 0};
    const LoadResult loaded = Load(folder, none);
    EXPECT_EQ(loaded.message, "file1 をロードしました。");
    EXPECT_EQ(loaded.day, 3);
    EXPECT_EQ(folder.Read("file1"), r.flagFile);
    EXPECT_EQ(folder.Read("file1_text"), r.textFile);
}

}  // namespace
}  // namespace velmora
