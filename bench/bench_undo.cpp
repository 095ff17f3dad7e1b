// Undo on a design of 1,000 objects: recording the step after one object moved, and undoing
// one such step (which first checks the design for unrecorded changes, then reads the moved
// object back). Goal: each at most 15 ms.
#include "BenchSupport.h"
#include "support/AllTypesObject.h"

#include "surface/UndoHistory.h"

#include <benchmark/benchmark.h>

namespace {

struct TDesign {
    TGBasePanel Panel;
    TUndoHistory& History = *Panel.History();
    TGGraphicControl* Moved;

    TDesign() {
        FillAllTypesDesign(Panel, 1000);
        Moved = Panel.Objects()[500];
        History.Clear();
    }
    void MoveStep(int left) {
        TUndoStep step(History, QStringLiteral("Move"));
        Moved->SetLeft(left);
    }
};

void BM_RecordStep(benchmark::State& state) {
    TDesign design;
    int left = 0;
    for (auto _ : state)
        design.MoveStep(++left % 200);
    state.counters["steps"] = design.History.UndoCount();
}
BENCHMARK(BM_RecordStep)->Unit(benchmark::kMillisecond);

void BM_UndoStep(benchmark::State& state) {
    TDesign design;
    design.MoveStep(7);
    for (auto _ : state) {
        design.History.Undo();
        state.PauseTiming();
        design.History.Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] { TAllTypes::Register(); });
}
