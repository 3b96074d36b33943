// The light of the hour: how long it takes to lay over a place's picture.
//   PaintLight/N          the painting alone (player/scene_light.h) over
//                         the breakwater's picture, for each light
//   ShowSceneAtNight      the platform call as the game makes it at PM 9:00:
//                         the picture decoded from the game's folder, drawn
//                         and lit in the scene box
// Runs offscreen. Usage: velmora_light_bench [--data DIR] [benchmark flags]
#include <benchmark/benchmark.h>

#include <string>

#include "backends/posix/posix_files.h"
#include "backends/qt/main_window.h"
#include "backends/qt/qt_platform.h"
#include "bench/qt_bench_main.h"
#include "player/scene_light.h"

namespace {

std::string g_data = "data";

void PaintLight(benchmark::State& state) {
    const QImage day = QImage(QString::fromStdString(g_data + "/bouhatei.jpg"))
                           .convertToFormat(QImage::Format_RGB32);
    if (day.isNull()) {
        state.SkipWithError("no bouhatei.jpg in the data folder (--data DIR)");
        return;
    }
    const int picture = velmora::LitPicture("bouhatei.jpg");
    for (auto _ : state) {
        QImage scene = day.copy();
        velmora::PaintLight({reinterpret_cast<uint32_t*>(scene.bits()), scene.width(),
                             scene.height(), static_cast<int>(scene.bytesPerLine() / 4)},
                            picture, static_cast<velmora::Light>(state.range(0)));
        benchmark::DoNotOptimize(scene.constBits());
    }
}
BENCHMARK(PaintLight)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

void ShowSceneAtNight(benchmark::State& state) {
    velmora::PosixFiles files(g_data);
    velmora::qt::MainWindow window;
    velmora::qt::LoopingSound music(files);
    velmora::qt::QtPlatform platform(window, files, music);
    window.show();
    platform.ShowClock({"", "PM 9:00", "", "", "", ""});
    for (auto _ : state) platform.ShowScene({"bouhatei.jpg", "防波堤"});
}
BENCHMARK(ShowSceneAtNight)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, &g_data);
}
