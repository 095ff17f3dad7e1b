#pragma once

#include "printing/CardPrinting.h"
#include "surface/BasePanel.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

// Prints the panel's design into a PDF file, state.range(0) sheets a run, and reports the
// file's size as the counter "bytes".
inline void PrintSheetsToPdf(benchmark::State& state, TGBasePanel& panel) {
    QTemporaryDir dir;
    const QString file = dir.filePath("cards.pdf");
    TPrintRunSettings settings;
    settings.Copies = int(state.range(0));
    for (auto _ : state)
        if (!PrintToPdf(panel, settings, file, nullptr))
            state.SkipWithError("cannot write the PDF");
    state.counters["bytes"] = double(QFileInfo(file).size());
}

// A benchmark program's main: an offscreen application unless the caller chose a platform,
// then `prepare` (registering the classes the benchmarks read), then every benchmark named on
// the command line.
inline int RunBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
