// Slots edited by hand or damaged: every byte of a good slot flipped, the
// slot cut short at every length and lengthened, one file at a time. Each
// load either takes the slot with every number exactly as written (never
// wrapped into the 16-bit range) or is refused with a reason, and a refused
// load changes nothing at all.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backends/posix/posix_files.h"
#include "tests/engine/harness.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

// Slots by number: the first, and one no scene uses, saved all the same.
constexpr int kFirstSlot = 0;
constexpr int kUnusedSlot = 90;

using test::GameFolder;

struct LoadResult {
    bool loaded = false;
    std::string message;  // the load's last message
    GameState before;
    GameState after;
};

// Loads "file1" into a game in the middle of play, answering YES.
LoadResult Load(const GameFolder& folder) {
    PosixFiles files(folder.path());
    fuzz::QuietPlatform quiet(10, &files);
    Form1 form(quiet.platform());
    GameState& s = form.state();
    s.ClickState = click::kPlaying;
    s.SelectedFile = "file1";
    s.Day = 3;
    s.Hour = 7;
    s.CurrentPlace = "公園";
    s.PlayerName = "前の名前";
    for (int i = 0; i < kFlagCount; ++i) s.Flags[i] = static_cast<int16_t>(1000 + i);
    s.ScriptLines[5] = "前の行";
    s.DialogAnswer = 1;  // what the YES of the confirmation leaves
    LoadResult r;
    r.before = s;
    LoadGame(form);
    r.after = s;
    r.message = quiet.LastMessage();
    r.loaded = r.message == "file1 をロードしました。";
    return r;
}

// The numbers a flag file holds, read independently of the game: every line
// as a whole number of any size, or nothing when a line is no number.
std::optional<std::vector<long>> NumbersOf(const std::string& bytes) {
    std::vector<long> numbers;
    std::string line;
    auto take = [&]() {
        if (line.empty() || line == "-" || line.size() > 18) return false;
        char* end = nullptr;
        numbers.push_back(std::strtol(line.c_str(), &end, 10));
        return *end == '\0' && line.find_first_of("+ \t") == std::string::npos;
    };
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (!take()) return std::nullopt;
            line.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += bytes[i];
        }
    }
    if (!line.empty() && !take()) return std::nullopt;
    return numbers;
}

class MalformedSlot : public ::testing::Test {
  protected:
    void SetUp() override {
        auto flags =
            test::FlagsAt(3, PM, 2, 30, {{Flag::HitomisAnswer, 32767}, {Flag::KumisInvitation, 1}});
        flags[kFirstSlot] = -32768;
        flags[kUnusedSlot] = -7;
        folder_.WriteSlot("file1", flags, "公園", "太郎", "タロ");
        goodFlags_ = folder_.Read("file1");
        goodText_ = folder_.Read("file1_text");
    }

    // Loads the slot with these two files and checks the outcome.
    void Check(const std::string& flagBytes, const std::string& textBytes,
               const std::string& what) {
        folder_.Write("file1", flagBytes);
        folder_.Write("file1_text", textBytes);
        const LoadResult r = Load(folder_);
        ++loads_;
        if (!r.loaded) {
            ++refused_;
            EXPECT_NE(r.message.find("file1 はロードできませんでした。"), std::string::npos)
                << what;
            EXPECT_GT(r.message.size(), std::string("＜file1 はロードできませんでした。＞").size())
                << what << ": no reason given";
            EXPECT_TRUE(r.before == r.after) << what << ": a refused load changed the game";
            return;
        }
        const std::optional<std::vector<long>> numbers = NumbersOf(flagBytes);
        ASSERT_TRUE(numbers) << what << ": a flag file with a line that is no number loaded";
        ASSERT_LE(numbers->size(), static_cast<size_t>(kFlagCount)) << what;
        for (int i = 0; i < kFlagCount; ++i) {
            const long expected = i < static_cast<int>(numbers->size()) ? (*numbers)[i] : 1000 + i;
            ASSERT_EQ(r.after.Flags[i], expected) << what << ": Flags(" << i << ")";
        }
        SlotText text;
        std::string why;
        ASSERT_TRUE(ParseTextFile(textBytes, &text, &why)) << what;
        EXPECT_EQ(r.after.CurrentPlace, text.place) << what;
        EXPECT_EQ(r.after.ScriptLines, r.before.ScriptLines) << what;
    }

    // Every byte flipped, every shorter length, a few tails added: of one of
    // the two files while the other stays good.
    void Damage(bool flagFile) {
        const std::string& good = flagFile ? goodFlags_ : goodText_;
        auto check = [&](const std::string& bad, const std::string& what) {
            if (flagFile) {
                Check(bad, goodText_, "flag file " + what);
            } else {
                Check(goodFlags_, bad, "text file " + what);
            }
        };
        for (size_t i = 0; i < good.size(); ++i) {
            for (unsigned char mask : {0x01, 0x02, 0x08, 0x10, 0x80, 0xFF}) {
                std::string bad = good;
                bad[i] = static_cast<char>(bad[i] ^ mask);
                check(bad, "byte " + std::to_string(i) + " ^ " + std::to_string(mask));
            }
        }
        for (size_t n = 0; n < good.size(); ++n) {
            check(good.substr(0, n), "cut to " + std::to_string(n) + " bytes");
        }
        for (const char* tail :
             {"0\r\n", "-1", "32768\r\n", "-32769\r\n", "99999999999999999999\r\n", "\r\n",
              "\r\n\r\n", ",", "\"", "\"x\"\r\n", "\x81", "\x80", "\0"}) {
            check(good + std::string(tail, std::string_view(tail).size() + (*tail == 0)),
                  std::string("with tail ") + tail);
        }
    }

    GameFolder folder_;
    std::string goodFlags_, goodText_;
    int loads_ = 0, refused_ = 0;
};

TEST_F(MalformedSlot, TheGoodSlotLoads) {
    Check(goodFlags_, goodText_, "good slot");
    EXPECT_EQ(refused_, 0);
}

TEST_F(MalformedSlot, EveryDamagedFlagFileLoadsExactlyOrIsRefusedWithoutChange) {
    Damage(true);
    EXPECT_GT(refused_, 0);
    EXPECT_LT(refused_, loads_);  // a flipped digit is still a number
}

TEST_F(MalformedSlot, EveryDamagedTextFileLoadsExactlyOrIsRefusedWithoutChange) {
    Damage(false);
    EXPECT_GT(refused_, 0);
}

TEST_F(MalformedSlot, NumbersBeyondSixteenBitsAreRefusedNotWrapped) {
    for (const char* n : {"32768", "-32769", "65536", "4294967296"}) {
        std::string bad = goodFlags_;
        bad.replace(0, bad.find("\r\n"), n);
        Check(bad, goodText_, n);
    }
    EXPECT_EQ(refused_, 4);
}

// Zeros in front of a number once made a line "too long" to be a number.
TEST_F(MalformedSlot, LeadingZerosDoNotMakeANumberTooLong) {
    std::string flags = goodFlags_;
    flags.replace(0, flags.find("\r\n"), "-000000032768");
    Check(flags, goodText_, "leading zeros");
    EXPECT_EQ(refused_, 0);
}

// Half a slot is not "never saved": the message names the missing file.
TEST_F(MalformedSlot, AMissingFileIsRefusedWithoutChange) {
    folder_.Remove("file1_text");
    const LoadResult r = Load(folder_);
    EXPECT_FALSE(r.loaded);
    EXPECT_NE(r.message.find("file1_text がありません。"), std::string::npos) << r.message;
    EXPECT_TRUE(r.before == r.after);
}

}  // namespace
}  // namespace velmora
