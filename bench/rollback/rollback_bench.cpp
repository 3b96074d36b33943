// A rollback at the end of a four-day route: park-P5's replay script played
// to its last prompt (Day 4, PM), then one step back and the same answer
// again, over and over. Each step back drops the game and plays a new one
// from the title up to the step before; the goal is one 60 Hz frame.
//
//   velmora_rollback_bench [--benchmark_...]   (run in the source tree's root)
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "platform/posix_files.h"
#include "platform/rollback.h"
#include "platform/trace_platform.h"
#include "shell/form1.h"

namespace {

std::vector<std::string> Script(const std::string& route) {
    std::ifstream in(std::string(VELMORA_SOURCE) + "/tests/routes/" + route + ".in");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void BM_StepBackAtTheEndOfFourDays(benchmark::State& state) {
    const std::vector<std::string> script = Script("park-P5");
    velmora::PosixFiles files(std::string(VELMORA_SOURCE) + "/data");
    std::ostringstream trace;
    size_t next = 0;
    bool back = true;
    size_t replayed = 0;
    const velmora::Rollback* rollback = nullptr;
    velmora::TracePlatform platform(
        trace,
        [&](const std::string&) -> std::optional<std::string> {
            trace.str("");
            if (next + 1 < script.size()) return script[next++];
            // At the last prompt but one: back, then that prompt's answer.
            back = !back;
            if (!back) return script[next];
            replayed = rollback->steps();
            if (!state.KeepRunning()) return std::nullopt;
            return "BACK";
        },
        files);
    velmora::Rollback game(
        platform, [](velmora::Platform& on) { return std::make_unique<velmora::Form1>(on); });
    rollback = &game;
    platform.PlayGame(game);
    state.counters["answers replayed"] = static_cast<double>(replayed);
}
BENCHMARK(BM_StepBackAtTheEndOfFourDays)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
