// Line mode: how long a character takes to be painted into the scene.
//   PaintPortraitLines   the pixel rule alone, both passes (300 x 260)
//   ScenePaintPortrait   the scene picture box: conversion to 32 bits, the
//                        even rows, an on-screen repaint, the odd rows
//   PaintPortraitFromFile  the platform call as the game makes it: the
//                        portrait file decoded from the game's folder too
// Runs offscreen. Usage: velmora_portrait_bench [--data DIR] [benchmark flags]
#include <benchmark/benchmark.h>

#include <QPainter>
#include <string>

#include "backends/posix/posix_files.h"
#include "backends/qt/main_window.h"
#include "backends/qt/qt_platform.h"
#include "bench/qt_bench_main.h"
#include "player/line_portrait.h"

namespace {

std::string g_data = "data";

// A figure on light cyan, as the portrait files are drawn.
QImage Portrait() {
    QImage portrait(velmora::kSceneWidth, velmora::kSceneHeight, QImage::Format_RGB32);
    portrait.fill(QColor(0, 255, 255));
    QPainter painter(&portrait);
    painter.setBrush(QColor(230, 150, 120));
    painter.drawEllipse(60, 20, 180, 240);
    return portrait;
}

void PaintPortraitLines(benchmark::State& state) {
    const QImage portrait = Portrait();
    QImage scene(velmora::kSceneWidth, velmora::kSceneHeight, QImage::Format_RGB32);
    scene.fill(Qt::darkGreen);
    const velmora::ConstPixelView from{reinterpret_cast<const uint32_t*>(portrait.constBits()),
                                       portrait.width(), portrait.height(),
                                       static_cast<int>(portrait.bytesPerLine() / 4)};
    const velmora::PixelView to{reinterpret_cast<uint32_t*>(scene.bits()), scene.width(),
                                scene.height(), static_cast<int>(scene.bytesPerLine() / 4)};
    for (auto _ : state) {
        velmora::PaintPortraitLines(from, to);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PaintPortraitLines)->Unit(benchmark::kMicrosecond);

void ScenePaintPortrait(benchmark::State& state) {
    velmora::qt::MainWindow window;
    window.show();
    // A GIF decodes to 8-bit indexed pixels; the box converts them itself.
    const QImage portrait = Portrait().convertToFormat(QImage::Format_Indexed8);
    for (auto _ : state) window.scene()->PaintPortrait(portrait);
}
BENCHMARK(ScenePaintPortrait)->Unit(benchmark::kMicrosecond);

void PaintPortraitFromFile(benchmark::State& state) {
    velmora::PosixFiles files(g_data);
    velmora::qt::MainWindow window;
    velmora::qt::LoopingSound music(files);
    velmora::qt::QtPlatform platform(window, files, music);
    window.show();
    if (QImage(QString::fromStdString(files.Resolve("kumi1.gif"))).isNull()) {
        state.SkipWithError("no kumi1.gif in the data folder (--data DIR)");
        return;
    }
    for (auto _ : state) platform.PaintPortraitIntoScene({"kumi1.gif", "久美"});
}
BENCHMARK(PaintPortraitFromFile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, &g_data);
}
