// The text appearing letter by letter: one frame's drawing of the message
// window while a message appears (goal: well under a frame, 16 ms).
//   AppearingStep      a frame of a long message half shown, laid out whole
//                      with its unshown letters drawn in no colour
//   WholeAtOnce        the same message drawn whole, as the game's own speed
//                      draws it (the window's label as it always was)
// Runs offscreen. Usage: velmora_appearing_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <string>

#include "backends/qt/message_label.h"
#include "bench/qt_bench_main.h"

namespace {

std::string g_data = "data";

// The longest kind of message: three lines of the window, wrapped.
const char kMessage[] =
    "「今は春休み。これが明けたら、いよいよ高校最後の一年が始まる。」"
    "防波堤の先まで歩いていくと、潮の匂いのする風が吹いてきた。Haru "
    "と一緒に、海の見える丘まで歩いていこう。夕方には雨が降るらしい。";

void Draw(benchmark::State& state, bool appearing) {
    QWidget window;
    window.resize(480, 110);
    velmora::qt::MessageLabel message(&window);
    message.setGeometry(15, 10, 450, 90);
    message.SetTextSpeed(appearing ? 2 : velmora::timing::kDefaultTextSpeed);
    window.show();
    message.SetMessage(QString::fromUtf8(kMessage));
    const int half = int(message.text().size()) / 2;
    while (message.appearing() && message.drawn().size() < half)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    message.HoldClock(true);
    if (message.appearing() != appearing) {
        state.SkipWithError("the message did not appear as asked");
        return;
    }
    QImage frame(message.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        message.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void AppearingStep(benchmark::State& state) {
    Draw(state, true);
}
BENCHMARK(AppearingStep)->Unit(benchmark::kMicrosecond);

void WholeAtOnce(benchmark::State& state) {
    Draw(state, false);
}
BENCHMARK(WholeAtOnce)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, &g_data);
}
