// Saves killed at random moments: a child process commits slot after slot
// and is killed with SIGKILL; after Recover the slot's two files are always
// of one and the same save, each whole, and no helper file is left.
// VELMORA_KILLED_SAVES sets the number of kills (200 by default).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "backends/posix/posix_files.h"
#include "tests/engine/harness.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

// Slots by number: the first, and the first of the player's settings.
constexpr int kFirstSlot = 0;
constexpr int kFirstSetting = static_cast<int>(Flag::Music);

// Save number g: flags and names that differ from those of every other save.
std::vector<NamedBytes> SaveNumber(long g) {
    std::array<int16_t, kFlagCount> flags = test::FlagsAt(1 + g % 4, g % 2, g % 12, (g % 2) * 30);
    flags[kFirstSlot] = static_cast<int16_t>(g % 30000);
    for (int i = kFirstSlot + 1; i < kFirstSetting; ++i)
        flags[i] = static_cast<int16_t>((g * 7 + i) % 200 - 100);
    const std::string text = *FormatTextFile({"公園", "佐々木" + std::to_string(g), "リュウ君"});
    return {{"file1", FormatFlagFile(flags)}, {"file1_text", text}};
}

// Which save the slot holds, or -1 when its files are not both of one save.
long WhichSave(const test::GameFolder& folder) {
    const std::string text = folder.Read("file1_text");
    SlotText names;
    std::string why;
    if (!ParseTextFile(text, &names, &why) || names.name.size() <= std::string("佐々木").size()) {
        return -1;
    }
    const long g = std::atol(names.name.c_str() + std::string("佐々木").size());
    const std::vector<NamedBytes> expected = SaveNumber(g);
    if (folder.Read("file1") != expected[0].bytes || text != expected[1].bytes) return -1;
    return g;
}

int KillCount() {
    const char* n = std::getenv("VELMORA_KILLED_SAVES");
    return n ? std::atoi(n) : 200;
}

TEST(KilledSaves, AfterRecoverTheSlotIsWhollyOneSave) {
    test::GameFolder folder;
    CommitFailure failure;
    PosixFiles files(folder.path());
    ASSERT_TRUE(files.ReplaceTogether(SaveNumber(0), &failure)) << failure.why;

    // How long one commit takes here, so that kills land all over it.
    const auto start = std::chrono::steady_clock::now();
    for (long g = 1; g <= 5; ++g)
        ASSERT_TRUE(files.ReplaceTogether(SaveNumber(g), &failure)) << failure.why;
    const long commitMicros =
        std::max<long>(50, std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                                   .count() /
                               5);

    std::mt19937 random(20240401);
    std::uniform_int_distribution<long> delay(0, 3 * commitMicros);
    const int kills = KillCount();
    long last = 5;
    int unchanged = 0, advanced = 0;
    for (int run = 0; run < kills; ++run) {
        const long first = (run + 1) * 1000000L;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PosixFiles mine(folder.path());
            CommitFailure ignored;
            for (long g = first;; ++g) mine.ReplaceTogether(SaveNumber(g), &ignored);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        PosixFiles(folder.path()).Recover({"file1", "file1_text"});
        const long g = WhichSave(folder);
        ASSERT_GE(g, 0) << "run " << run << ": torn or mixed slot";
        ASSERT_TRUE(g == last || g >= first)
            << "run " << run << ": save " << g << " after " << last;
        (g == last ? unchanged : advanced)++;
        last = g;
        for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = e.path().filename().string();
            ASSERT_TRUE(name == "file1" || name == "file1_text" || name.ends_with(".dat"))
                << "run " << run << ": " << name << " left behind";
        }
    }
    std::printf(
        "killed saves: %d kills, %d left the slot as it was, %d with a newer save, "
        "0 torn or mixed (one commit %ld us)\n",
        kills, unchanged, advanced, commitMicros);
}

}  // namespace
}  // namespace velmora
