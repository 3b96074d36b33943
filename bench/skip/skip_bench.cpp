// Skipping a read scene of 70 lines in the window program: each NEXT passed
// with its caption painted in the message window and the player's keys and
// clicks heard (the replay's pace), the 既読スキップ mark up. The goal is the
// whole scene in under one second.
//
//   QT_QPA_PLATFORM=offscreen velmora_skip_bench [--benchmark_...]
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/following.h"
#include "backends/posix/posix_files.h"
#include "backends/qt/game_session.h"
#include "backends/qt/main_window.h"
#include "backends/qt/qt_platform.h"
#include "backends/qt/replay.h"

namespace {

constexpr int kSceneLines = 70;

void BM_SkipAReadSceneOf70Lines(benchmark::State& state) {
    velmora::PosixFiles files(".");
    velmora::qt::MainWindow window;
    velmora::qt::LoopingSound music(files);
    velmora::qt::QtPlatform platform(window, files, music);
    velmora::ReadRecord record;
    velmora::Skip skip(platform, record);
    velmora::Rollback rollback(
        skip, [](velmora::Platform& on) { return std::make_unique<velmora::Form1>(on); });
    velmora::RolledGame events(rollback);
    velmora::qt::GameSession session(events, window, [] {});
    velmora::qt::Replay replay(window, session, rollback, skip, {});
    window.show();
    for (int line = 0; line < kSceneLines; ++line) record.MarkRead("scene " + std::to_string(line));
    for (auto _ : state) {
        replay.ToggleSkip();
        for (int line = 0; line < kSceneLines; ++line) {
            skip.Message("scene " + std::to_string(line));
            skip.SetMessageCaption("久美：「春休みの海は、まだ少し冷たいね。」" +
                                   std::to_string(line));
            skip.WaitNext({});
        }
        replay.StopSkipping();
    }
}
BENCHMARK(BM_SkipAReadSceneOf70Lines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
