// One mouse move while dragging a selected object over a card of 200 objects at 150 %: the
// frame's outline is redrawn over the panel's cached card, which is never rebuilt. Goal: under
// 1 ms per move, event handling and the repaint it causes included.
#include "support/TestObjects.h"

#include "surface/Handle.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

void BM_DragMove(benchmark::State& state) {
    TScriptedClock clock;
    TGBasePanel panel;
    panel.resize(343, 191);
    std::vector<TBlock*> blocks;
    for (int i = 0; i < 200; ++i)
        blocks.push_back(AddBlock(panel, (i * 37) % 300, (i * 23) % 170, 30 + i % 40, 12));
    panel.SetZoom(1.5f);
    panel.show();
    TGHandle* frame = panel.Handle();
    for (int i = 0; i < int(state.range(0)); ++i)
        frame->Add(blocks[size_t(i)]);
    const QPoint start = frame->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, start, frame->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &press);
    // Showing and zooming left the card stale; build it once before measuring.
    QCoreApplication::processEvents();
    panel.CardImage();
    int paints = 0;
    for (const TBlock* b : blocks)
        paints -= b->Paints;
    int step = 0;
    for (auto _ : state) {
        const QPoint p = start + QPoint(step % 60, (step / 2) % 40);
        ++step;
        QMouseEvent move(QEvent::MouseMove, p, frame->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(frame, &move);
        QCoreApplication::processEvents(); // the repaint of the outline's strips
    }
    for (const TBlock* b : blocks)
        paints += b->Paints;
    state.counters["object paints"] = paints;
}
BENCHMARK(BM_DragMove)->Arg(1)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QuietGrabWarnings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
