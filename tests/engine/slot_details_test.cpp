// The details beside the slot list: what each slot holds, read with the
// load's own strict reader, and looked at only: a cut-off save is left for
// the next load, another game's lock is not waited for, nothing is written.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/slot_lines.h"
#include "backends/posix/folder_lock.h"
#include "backends/posix/posix_files.h"
#include "tests/engine/harness.h"
#include "tests/hostile_things.h"
#include "world/slot_details.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

using test::GameFolder;
using Kind = SlotDetails::Kind;

std::vector<std::string> Names(const GameFolder& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SlotDetails, EmptySavedAndRefused) {
    GameFolder folder;
    folder.WriteSlot("file2", test::FlagsAt(3, PM, 2, 30), "公園", "中村", "ナカ");
    folder.WriteSlot("file3", test::FlagsAt(1, AM, 9, 0), "部屋");
    folder.Write("file3_text", "\"部屋\",\"no closing quote\r\n");
    folder.WriteSlot("file4", test::FlagsAt(1, AM, 9, 0), "部屋");
    folder.Remove("file4_text");
    PosixFiles files(folder.path());

    EXPECT_EQ(ReadSlotDetails(files, "file1").kind, Kind::kEmpty);

    const SlotDetails saved = ReadSlotDetails(files, "file2");
    ASSERT_EQ(saved.kind, Kind::kSaved);
    EXPECT_TRUE(saved.clockKnown);
    EXPECT_FALSE(saved.partial);
    EXPECT_EQ(saved.saved.Day, 3);
    EXPECT_EQ(saved.saved.Half, PM);
    EXPECT_EQ(saved.saved.Hour, 2);
    EXPECT_EQ(saved.saved.Minute, 30);
    EXPECT_EQ(saved.saved.CurrentPlace, "公園");
    EXPECT_EQ(saved.saved.PlayerName, "中村");
    EXPECT_EQ(saved.saved.Nickname, "ナカ");
    EXPECT_GT(saved.written, 0);

    const SlotDetails broken = ReadSlotDetails(files, "file3");
    EXPECT_EQ(broken.kind, Kind::kUnreadable);
    EXPECT_EQ(broken.why, "テキストファイルの形式が正しくありません。");
    const SlotDetails half = ReadSlotDetails(files, "file4");
    EXPECT_EQ(half.kind, Kind::kUnreadable);
    EXPECT_EQ(half.why, "file4_text がありません。");
}

// A short flag file loads over the flags a game already has: its clock is
// not in the file, and the details do not make one up; they say that the
// slot is partial and that its time will be the running game's.
TEST(SlotDetails, AFlagFileWithoutTheClock) {
    GameFolder folder;
    folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "部屋");
    folder.Write("file1", "1\r\n2\r\n");
    PosixFiles files(folder.path());
    const SlotDetails details = ReadSlotDetails(files, "file1");
    EXPECT_EQ(details.kind, Kind::kSaved);
    EXPECT_FALSE(details.clockKnown);
    EXPECT_TRUE(details.partial);
    const std::string said = DescribeSlot(TheStory(), "file1", details);
    EXPECT_TRUE(said.starts_with("file1　部屋　佐々木（リュウ君）\n")) << said;
    EXPECT_TRUE(
        said.ends_with("\n　　　一部だけのセーブです。日付と時刻は今のゲームのままになります"))
        << said;
}

TEST(SlotDetails, HostileThingsInASlotsPlace) {
    test::HangGuard guard;
    for (const char* what : test::kNotFiles) {
        GameFolder folder;
        ASSERT_EQ(test::PlantNotAFile(folder.path() + "/file1", what), "");
        folder.WriteText("file1_text", "\"部屋\",\"佐々木\",\"リュウ君\"\r\n");
        PosixFiles files(folder.path());
        const SlotDetails details = ReadSlotDetails(files, "file1");
        EXPECT_EQ(details.kind, Kind::kUnreadable) << what;
        EXPECT_NE(details.why.find("file1"), std::string::npos) << what << ": " << details.why;
    }
}

// A save cut off after its marker is finished by the next load, not by a
// look: the look says so and leaves every file as it found it.
TEST(SlotDetails, ACutOffSaveIsLeftForTheLoad) {
    GameFolder folder;
    folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "部屋");
    folder.Write(".file1.new", "5\r\n");
    folder.Write(".file1.commit", "file1\t+\nfile1_text\t+\n");
    const std::vector<std::string> before = Names(folder);
    PosixFiles files(folder.path());
    const SlotDetails details = ReadSlotDetails(files, "file1");
    EXPECT_EQ(details.kind, Kind::kUnreadable);
    EXPECT_EQ(details.why, kSaveCutOff);
    EXPECT_EQ(Names(folder), before);
    EXPECT_EQ(folder.Read(".file1.new"), "5\r\n");
}

// Another game saving: the look does not wait (the lock wait is set to an
// hour; waiting would end the test by its guard).
TEST(SlotDetails, AnotherGameHoldingTheFolderIsNotWaitedFor) {
    test::HangGuard guard;
    GameFolder folder;
    folder.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "部屋");
    FolderLock other;
    std::string why;
    Held held = Held::kNo;
    ASSERT_TRUE(other.Take(folder.path(), std::chrono::milliseconds(0), &why, &held));
    PosixFiles files(folder.path());
    files.SetLockWait(std::chrono::hours(1));
    const SlotDetails details = ReadSlotDetails(files, "file1");
    EXPECT_EQ(details.kind, Kind::kUnreadable);
    EXPECT_EQ(details.why, kSlotsInUse);
}

}  // namespace
}  // namespace velmora
