#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

// The main of a benchmark program: a headless application, then `prepare` (registering the
// classes the benchmarks read), then every benchmark the command line selects.
inline int RunBenchmarks(int argc, char** argv, const std::function<void()>& prepare) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
