// The automatic save at the menu, 続きから and the quick save keys, as
// velmora-tty --auto-save plays them: the automatic save is the save the
// player would make at that menu, byte for byte; 続きから brings back what
// loading that save brings back; a write killed at any of its calls leaves
// the old save or the new; the quick load keeps rollback's record as short
// as the game since the load.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "app/background_save.h"
#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "replay/rollback.h"
#include "tests/engine/harness.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/slot_format.h"

namespace velmora {
namespace {

using test::Decisions;
using test::GameFolder;
using test::operator+;

const Decisions kNewGame = {"no", "no", "no"};  // Day 1, AM 9:00, at the first menu

TEST(AutoSave, AtTheMenuItIsTheSaveThePlayerWouldMakeThere) {
    // Two moves on, the clock no longer what a save holds until one is made:
    // the evening ends at that menu, or the player saves there.
    const Decisions moves = kNewGame + Decisions{"防波堤", "防波堤"};
    GameFolder ended, saved;
    Play(ended, moves, true);
    const test::Trace t = Play(saved, moves + Decisions{"セーブ", "file2", "yes"}, true);
    ASSERT_TRUE(t.Has("MSG file2 にセーブしました。")) << t.Text();
    EXPECT_EQ(ended.Read("auto"), saved.Read("file2"));
    EXPECT_EQ(ended.Read("auto_text"), saved.Read("file2_text"));
    // Without the option nothing else is written, and the trace is the same.
    GameFolder plain;
    const test::Trace p = Play(plain, moves + Decisions{"セーブ", "file2", "yes"});
    EXPECT_FALSE(plain.Has("auto"));
    EXPECT_EQ(p.lines, t.lines);
}

// A player who answers at random, the same answers for the same seed: the
// places of the menu, the questions, the room's list. Ends the input after
// `turns` menus.
Answerer RandomPlayer(unsigned seed, int turns, bool continues) {
    auto random = std::make_shared<std::mt19937>(seed);
    auto menus = std::make_shared<int>(0);
    auto first = std::make_shared<bool>(true);
    return [=](const std::string& prompt) -> std::optional<std::string> {
        if (std::exchange(*first, false)) return continues ? "CONTINUE" : "";
        const auto pick = [&](const std::vector<std::string>& from) {
            return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(*random)];
        };
        if (prompt == "YESNO?") return pick({"yes", "no"});
        if (prompt == "NAME?") return "健\tケン";
        if (prompt.rfind("LIST? ", 0) == 0) {
            std::vector<std::string> entries;
            std::istringstream in(prompt.substr(6));
            for (std::string e; std::getline(in, e, '|');) entries.push_back(e);
            return pick(entries);
        }
        if (prompt.rfind("MENU? ", 0) == 0) {
            if (++*menus > turns) return std::nullopt;
            return pick({"アパート", "防波堤", "弁当屋", "公園", "明の家", "セルビア",
                         "パソコンショップ", "学校", "ひとみの家", "テニスコート", "BGM"});
        }
        return "";
    };
}

struct Played {
    std::vector<std::string> lines;
    GameState state;
};

// The game played in `folder` by `answer`, as velmora-tty --auto-save plays
// it, or with the automatic save written by a thread as the window program
// writes it.
Played PlayWith(const GameFolder& folder, Answerer answer, bool onAThread = false) {
    std::ostringstream out;
    PosixFiles disk(folder.path());
    SerialFiles files(disk);
    BackgroundSave background(files);
    TracePlatform platform(out, std::move(answer), files);
    platform.OfferOwnSlots(kAutoSlot);
    AutoSave autoSave;
    if (onAThread) autoSave.WriteWith(&background);
    Form1 form(platform);
    form.SaveAtTheMenu(&autoSave);
    platform.PlayGame(form);
    Played played{{}, form.state()};
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) played.lines.push_back(line);
    return played;
}

// The lines after `line`, or nothing when it is not there.
std::vector<std::string> After(const Played& p, const std::string& line) {
    const auto at = std::find(p.lines.begin(), p.lines.end(), line);
    return at == p.lines.end() ? std::vector<std::string>{} : std::vector(at + 1, p.lines.end());
}

TEST(AutoSave, ContinueBringsBackWhatLoadingTheSaveBringsBack) {
    int compared = 0;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        GameFolder evening;
        // A new game (nothing loaded, not named, the invitation at random), then some turns.
        PlayWith(evening,
                 [first = true, player = RandomPlayer(seed, 3 + seed % 9, false)](
                     const std::string& prompt) mutable -> std::optional<std::string> {
                     if (prompt == "YESNO?" && std::exchange(first, false)) return "no";
                     return player(prompt);
                 });
        ASSERT_TRUE(evening.Has("auto"));
        GameFolder resumed, loaded;
        for (const GameFolder* f : {&resumed, &loaded}) {
            f->Write("file1", evening.Read("auto"));
            f->Write("file1_text", evening.Read("auto_text"));
            f->Write("auto", evening.Read("auto"));
            f->Write("auto_text", evening.Read("auto_text"));
        }
        const Played a = PlayWith(resumed, RandomPlayer(seed * 7, 6, true));
        const Played b = PlayWith(loaded, [n = 0, player = RandomPlayer(seed * 7, 6, false)](
                                              const std::string& prompt) mutable {
            static const char* const kLoad[] = {"", "yes", "file1", "yes"};
            return n < 4 ? std::optional<std::string>(kLoad[n++]) : player(prompt);
        });
        const std::vector<std::string> afterContinue =
            After(a, "MSG オートセーブデータをロードしました。");
        ASSERT_FALSE(afterContinue.empty()) << ::testing::PrintToString(a.lines);
        EXPECT_EQ(afterContinue, After(b, "MSG file1 をロードしました。"));
        EXPECT_EQ(a.state.Flags, b.state.Flags);
        EXPECT_EQ(a.state.CurrentPlace, b.state.CurrentPlace);
        ++compared;
    }
    EXPECT_EQ(compared, 24);
}

// Every system call of an automatic write, in turn, is where the game is
// killed: after the next start's recovery the slot holds the old save or the
// new, whole, and nothing else is left.
TEST(AutoSave, KilledAtEveryCallOfTheWriteItIsTheOldSaveOrTheNew) {
    struct Killed {};
    int killedRuns = 0;
    for (int killAt = 1;; ++killAt) {
        SCOPED_TRACE("killed at call " + std::to_string(killAt));
        GameFolder folder;
        folder.WriteSlot("auto", test::FlagsAt(2, AM, 10, 0), "公園");
        const std::string oldFlags = folder.Read("auto"), oldText = folder.Read("auto_text");
        int calls = 0;
        FileOps ops = FileOps::System();
        const auto killing = [&](auto call) {
            return [&calls, killAt, call](auto... args) {
                if (++calls == killAt) throw Killed{};
                return call(args...);
            };
        };
        ops.open = killing(ops.open);
        ops.write = killing(ops.write);
        ops.fsync = killing(ops.fsync);
        ops.close = killing(ops.close);
        ops.rename = killing(ops.rename);
        ops.unlink = killing(ops.unlink);
        ops.link = killing(ops.link);
        PosixFiles files(folder.path(), ops);
        fuzz::QuietPlatform quiet(10, &files);
        Form1 form(quiet.platform());
        GameState& s = form.state();
        s.Day = 3;
        s.Hour = 4;
        s.Half = PM;
        s.CurrentPlace = "防波堤";
        s.flag(Flag::KumisInvitation) = 1;
        std::string unsavable;
        const std::vector<NamedBytes> fresh = *SaveOf(s, kAutoSlot, &unsavable);
        bool killed = false;
        try {
            AutoSave().AtMenu(form);
        } catch (const Killed&) {
            killed = true;
        }
        PosixFiles(folder.path()).Recover({"auto", "auto_text"});
        const std::string flags = folder.Read("auto"), text = folder.Read("auto_text");
        const bool allOld = flags == oldFlags && text == oldText;
        const bool allNew = flags == fresh[0].bytes && text == fresh[1].bytes;
        EXPECT_TRUE(allOld || allNew) << "torn or mixed automatic save";
        for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = e.path().filename().string();
            EXPECT_TRUE(name == "auto" || name == "auto_text" || name.ends_with(".dat")) << name;
        }
        if (!killed) {
            EXPECT_TRUE(allNew);
            break;
        }
        ++killedRuns;
    }
    EXPECT_GT(killedRuns, 10);
}

// Written by a thread of its own: the evening leaves what the menu's own
// write leaves; a write that fails says why once, and the slot stays whole.
TEST(AutoSave, OnAThreadItIsWhatTheMenuWouldHaveWritten) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        GameFolder atTheMenu, onAThread;
        const Played played = PlayWith(atTheMenu, RandomPlayer(seed, 2 + seed, false));
        EXPECT_EQ(PlayWith(onAThread, RandomPlayer(seed, 2 + seed, false), true).lines,
                  played.lines);
        EXPECT_EQ(onAThread.Read("auto"), atTheMenu.Read("auto"));
        EXPECT_EQ(onAThread.Read("auto_text"), atTheMenu.Read("auto_text"));
    }
    GameFolder folder;
    folder.WriteSlot("auto", test::FlagsAt(2, AM, 10, 0), "公園");
    const std::string old = folder.Read("auto");
    std::filesystem::create_directory(folder.path() + "/.auto.new");
    folder.Write(".auto.new/kept", "");
    PosixFiles disk(folder.path());
    SerialFiles files(disk);
    BackgroundSave background(files);
    background.Write({{"auto", "1\r\n"}, {"auto_text", "\"\"\r\n"}});
    background.Finish();
    const std::optional<std::string> why = background.Outcome();
    EXPECT_TRUE(why && !why->empty());
    EXPECT_EQ(background.Outcome(), std::nullopt);
    EXPECT_EQ(folder.Read("auto"), old);
}

// A write that fails is told once for its reason, however many menus fail
// alike, and the game plays on; an automatic save that cannot be read is
// told at 続きから, and the title's questions follow.
TEST(AutoSave, FailuresAreToldOnceAndTheGameGoesOn) {
    GameFolder folder;
    folder.WriteSlot("auto", test::FlagsAt(2, AM, 10, 0), "公園");
    const std::string old = folder.Read("auto");
    // Where the write begins stands a folder that holds something.
    std::filesystem::create_directory(folder.path() + "/.auto.new");
    folder.Write(".auto.new/kept", "");
    const test::Trace t = Play(folder, kNewGame + Decisions{"BGM", "yes", "BGM", "yes"}, true);
    EXPECT_EQ(t.LinesStarting("NOTICE ").size(), 1u) << t.Text();
    EXPECT_EQ(t.LinesStarting("MENU?").size(), 3u);
    EXPECT_EQ(folder.Read("auto"), old);

    GameFolder torn;
    torn.Write("auto", "1\r\nx\r\n");
    torn.WriteSlot("file1", test::FlagsAt(2, AM, 10, 0), "公園");
    const test::Trace c = Play(torn, Decisions{"@any:CONTINUE"} + kNewGame, true);
    const std::vector<std::string> said = c.Messages();
    ASSERT_GE(said.size(), 3u);
    EXPECT_EQ(said[1].rfind("＜オートセーブデータから続けられませんでした。", 0), 0u) << said[1];
    EXPECT_EQ(said[2], "データをロードしますか？\\n<初めてプレイするときはNOを選んでください。>");
}

// F5 and F9 at the menu, through rollback as the window program plays: the
// quick save is told by a notice, the quick load asks first; after many quick
// loads the record holds only the game since the last, and a step back after
// one lands where it did.
TEST(AutoSave, QuickLoadsKeepTheRecordAsShortAsTheGameSinceTheLast) {
    GameFolder folder;
    std::deque<std::string> menus = {"アパート", "クイックセーブ"};
    for (int i = 0; i < 30; ++i) menus.insert(menus.end(), {"公園", "クイックロード"});
    int noes = 3;           // not loaded, not named, the invitation declined
    int afterLastLoad = 0;  // the prompts since the last load was asked
    std::ostringstream out;
    PosixFiles files(folder.path());
    TracePlatform platform(
        out,
        [&](const std::string& prompt) -> std::optional<std::string> {
            if (prompt == "YESNO?" && afterLastLoad == 0) return noes-- > 0 ? "no" : "yes";
            if (menus.empty()) {
                // Its message clicked, a step back at the next prompt; then the end.
                const int at = ++afterLastLoad;
                if (at == 1) return "";
                return at == 2 ? std::optional<std::string>("BACK") : std::nullopt;
            }
            if (prompt.rfind("LIST? ", 0) == 0) return prompt.substr(6, prompt.find('|') - 6);
            if (prompt.rfind("MENU? ", 0) != 0) return "";
            const std::string choice = menus.front();
            menus.pop_front();
            return choice;
        },
        files);
    platform.OfferOwnSlots(kAutoSlot);
    AutoSave autoSave;
    Rollback steps(platform, [&](Platform& on) {
        auto game = std::make_unique<Form1>(on);
        game->SaveAtTheMenu(&autoSave);
        return game;
    });
    platform.PlayGame(steps);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const auto count = [&](const std::string& line) {
        return std::count(lines.begin(), lines.end(), line);
    };
    EXPECT_EQ(count("NOTICE クイックセーブしました"), 1);
    EXPECT_EQ(count("MSG クイックセーブデータをロードします。よろしいですか？"), 30);
    EXPECT_EQ(count("NOTICE " + std::string(Rollback::kStepsDropped)), 0) << out.str();
    const auto back = std::find(lines.begin(), lines.end(), "BACK 1");
    ASSERT_NE(back, lines.end()) << out.str();
    const auto shown = std::find_if(back, lines.end(),
                                    [](const std::string& l) { return l.rfind("MSG ", 0) == 0; });
    ASSERT_NE(shown, lines.end());
    EXPECT_EQ(*shown, "MSG クイックセーブデータをロードしました。");
    EXPECT_LT(steps.recorded(), 12u);
}

}  // namespace
}  // namespace velmora
