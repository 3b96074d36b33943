// A rollback at the end of a four-day route: park-P5's replay script played
// to its last prompt (Day 4, PM), then one step back and the same answer
// again, over and over. Each step back drops the game and plays a new one
// from the title up to the step before; the goal is one 60 Hz frame.
//
// The same after 3,000 loads of a slot of 120 KB: the record keeps only the
// way to the first load and the game since the last, so the memory held
// stays that of one load and a step back replays no more than that.
//
//   velmora_rollback_bench [--benchmark_...]   (run in the source tree's root)
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "replay/rollback.h"
#include "shell/form1.h"
#include "world/slot_format.h"

namespace {

std::vector<std::string> Script(const std::string& route) {
    std::ifstream in(std::string(VELMORA_SOURCE) + "/tests/routes/" + route + ".in");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

using Answer =
    std::function<std::optional<std::string>(const std::string& prompt, const velmora::Rollback&)>;

// Plays a game with rollback in `folder`, each prompt answered by `answer`;
// the trace is dropped as it goes.
void PlayWithRollback(const std::string& folder, const Answer& answer) {
    velmora::PosixFiles files(folder);
    std::ostringstream trace;
    const velmora::Rollback* rollback = nullptr;
    velmora::TracePlatform platform(
        trace,
        [&](const std::string& prompt) {
            trace.str("");
            return answer(prompt, *rollback);
        },
        files);
    velmora::Rollback game(
        platform, [](velmora::Platform& on) { return std::make_unique<velmora::Form1>(on); });
    rollback = &game;
    platform.PlayGame(game);
}

void BM_StepBackAtTheEndOfFourDays(benchmark::State& state) {
    const std::vector<std::string> script = Script("park-P5");
    size_t next = 0;
    bool back = true;
    size_t replayed = 0;
    PlayWithRollback(
        std::string(VELMORA_SOURCE) + "/data",
        [&](const std::string&, const velmora::Rollback& rollback) -> std::optional<std::string> {
            if (next + 1 < script.size()) return script[next++];
            // At the last prompt but one: back, then that prompt's answer.
            back = !back;
            if (!back) return script[next];
            replayed = rollback.steps();
            if (!state.KeepRunning()) return std::nullopt;
            return "BACK";
        });
    state.counters["answers replayed"] = static_cast<double>(replayed);
}
BENCHMARK(BM_StepBackAtTheEndOfFourDays)->Unit(benchmark::kMillisecond);

// Resident memory of this process now, in MiB.
double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

// A folder with file1 saved in the hero's room: 120 KB, most of it the
// hero's name and nickname.
std::string FolderOfALargeSlot() {
    std::string folder = (std::filesystem::temp_directory_path() / "velmora-loads-XXXXXX").string();
    ::mkdtemp(folder.data());
    velmora::GameState saved;
    saved.flag(velmora::Flag::Music) = 2;
    saved.flag(velmora::Flag::PortraitMode) = 2;
    saved.flag(velmora::Flag::SavedDay) = 2;
    saved.flag(velmora::Flag::SavedHour) = 9;
    std::ofstream(folder + "/file1", std::ios::binary) << velmora::FormatFlagFile(saved.Flags);
    std::ofstream(folder + "/file1_text", std::ios::binary)
        << *velmora::FormatTextFile({"部屋", std::string(60000, 'a'), std::string(60000, 'b')});
    return folder;
}

void BM_StepBackAfterThreeThousandLoads(benchmark::State& state) {
    const std::string folder = FolderOfALargeSlot();
    int loads = 0;
    double held = 0;
    size_t kept = 0;
    PlayWithRollback(folder,
                     [&](const std::string& prompt,
                         const velmora::Rollback& rollback) -> std::optional<std::string> {
                         if (prompt.starts_with("LIST?")) {
                             ++loads;
                             return "file1";
                         }
                         if (prompt == "YESNO?") return "yes";
                         if (!prompt.starts_with("MENU?")) return "";
                         if (loads < 3000) return "ロード";
                         // At the menu after the last load: back to its NEXT, then on.
                         if (held == 0) held = ResidentMiB();
                         kept = rollback.recorded();
                         if (!state.KeepRunning()) return std::nullopt;
                         return "BACK";
                     });
    state.counters["MiB held after the loads"] = held;
    state.counters["answers kept"] = static_cast<double>(kept);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StepBackAfterThreeThousandLoads)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
