// Reading and writing design files: a design of 1,000 objects and one with a 10 MB picture.
// Goals: the 1,000 objects read and written back in 10 ms or less; the picture at 200 MB/s
// or more; peak memory while reading under three times the file size. The files lie in
// memory-backed storage where there is one, so that the figures are the program's and not
// the disk's (a save waits for its file to reach the disk).
#include "BenchSupport.h"
#include "support/AllTypesObject.h"

#include "surface/ObjectFiler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Kilobytes from a line of /proc/self/status.
// A scratch folder in memory-backed storage when the system has it.
QString scratchTemplate() {
    const QString shm = QStringLiteral("/dev/shm");
    return (QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) +
           QStringLiteral("/pentavo-bench-XXXXXX");
}

long statusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    return 0;
}

void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void BM_ThousandObjectsReadAndWrite(benchmark::State& state) {
    QTemporaryDir dir(scratchTemplate());
    TGBasePanel source;
    FillAllTypesDesign(source, 1000);
    const QString path = dir.filePath(QStringLiteral("design.ptv"));
    TGLabelObjectFiler(source).SaveDesign(path);
    for (auto _ : state) {
        auto panel = std::make_unique<TGBasePanel>();
        TGLabelObjectFiler(*panel).LoadDesign(path);
        TGLabelObjectFiler(*panel).SaveDesign(path);
        // Freeing the objects is not part of reading or writing.
        state.PauseTiming();
        panel.reset();
        state.ResumeTiming();
    }
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_ThousandObjectsReadAndWrite)->Unit(benchmark::kMillisecond);

void BM_PictureReadAndWrite(benchmark::State& state) {
    QTemporaryDir dir(scratchTemplate());
    TGBasePanel source;
    FillAllTypesDesign(source, 1);
    auto* holder = static_cast<TAllTypes*>(source.Objects()[0]);
    holder->Data = QByteArray(10 * 1024 * 1024, '\x5A');
    const QString path = dir.filePath(QStringLiteral("picture.ptv"));
    TGLabelObjectFiler(source).SaveDesign(path);
    const qint64 fileSize = QFileInfo(path).size();
    holder->Data.clear();
    double peakRatio = 0;
    for (auto _ : state) {
        TGBasePanel panel;
        resetPeak();
        const long before = statusKb("VmRSS:");
        TGLabelObjectFiler(panel).LoadDesign(path);
        const long peak = statusKb("VmHWM:");
        peakRatio = std::max(peakRatio, double(peak - before) * 1024 / double(fileSize));
        TGLabelObjectFiler(panel).SaveDesign(path);
    }
    // Read and written: twice the file per iteration.
    state.SetBytesProcessed(state.iterations() * 2 * fileSize);
    state.counters["read_peak_per_file_size"] = peakRatio;
}
BENCHMARK(BM_PictureReadAndWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] { TAllTypes::Register(); });
}
