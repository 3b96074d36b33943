// The main of the Qt front end's benchmarks: offscreen unless
// QT_QPA_PLATFORM says otherwise, the game's data folder from --data DIR.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>
#include <string>

inline int RunQtBenchmarks(int argc, char** argv, std::string* data) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0) *data = argv[i + 1];
    }
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
