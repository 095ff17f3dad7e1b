// Dragging a word-wrapped multi-line text rewraps it on every move: one rewrap of the
// longest text the editor allows must stay far below a frame's time.
#include "objects/MultiLineBaseLabel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

static void RewrapLongestText(benchmark::State& state) {
    TGMultiLineBaseLabel label;
    QString text;
    while (text.size() < 254)
        text += QStringLiteral("word ");
    label.SetItems({text.left(200), QStringLiteral("Phone 555 0100")});
    label.SetBounds(0, 0, int(state.range(0)), 60);
    label.SetWordWrap(true);
    for (auto _ : state) {
        label.Rewrap();
        benchmark::DoNotOptimize(label.WrappedLines().size());
    }
}
BENCHMARK(RewrapLongestText)->Arg(40)->Arg(100)->Arg(300);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
