// Start-up and idle repainting of the main window and its card panel.
#include "app/MainScreen.h"
#include "platform/ProgramFolder.h"
#include "surface/BusinessCardPanel.h"
#include "surface/GraphicControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

// An object with some drawing to do, so that a re-render would show in the times.
class TBusyObject : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TBusyObject"); }
    void Paint(QPainter& canvas) override {
        canvas.setRenderHint(QPainter::Antialiasing);
        canvas.setBrush(QColor(200, 80, 40));
        canvas.drawEllipse(QRect(0, 0, Width(), Height()));
        canvas.setFont(QFont(QStringLiteral("Liberation Serif"), 14));
        canvas.drawText(QRect(0, 0, Width(), Height()), Qt::AlignCenter,
                        QStringLiteral("Pentavo Cards"));
    }
};

// From the creation of the main window to its card panel painted on the screen.
void BM_StartToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<TMainScreen>();
        TPaintCounter counter;
        window->BusinessCardPanel->installEventFilter(&counter);
        window->show();
        while (counter.Paints == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel("window created, shown and painted");
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond);

struct TCardAt150 {
    TGBusinessCardPanel32 Panel;
    TCardAt150() {
        Panel.resize(336, 192);
        Panel.SetDrawOutline(true);
        Panel.SetShape(lsRoundRect);
        Panel.SetShowGrid(true);
        QImage art(640, 400, QImage::Format_RGB32);
        art.fill(QColor(230, 240, 255));
        Panel.SetColorPicture(TPicture::FromBitmap(art));
        for (int i = 0; i < 10; ++i)
            Panel.AddObject(std::make_unique<TBusyObject>())
                ->SetBounds(10 + 30 * i, 20 + 15 * i, 120, 40);
        Panel.SetZoom(1.5f);
        Panel.show();
        QCoreApplication::processEvents();
        Panel.repaint();
    }
};

// Repainting a card that has not changed: one copy of the composed image.
void BM_RepaintUnchangedAt150(benchmark::State& state) {
    TCardAt150 card;
    qint64 key = card.Panel.CardImage().cacheKey();
    int rebuilds = 0;
    for (auto _ : state) {
        card.Panel.repaint();
        const qint64 now = card.Panel.CardImage().cacheKey();
        rebuilds += now != key;
        key = now;
    }
    state.counters["card_rebuilds"] = rebuilds;
}
BENCHMARK(BM_RepaintUnchangedAt150)->Unit(benchmark::kMicrosecond);

// For comparison: the same repaint when the design changed and the card is composed anew.
void BM_RepaintChangedAt150(benchmark::State& state) {
    TCardAt150 card;
    qint64 key = card.Panel.CardImage().cacheKey();
    int rebuilds = 0;
    for (auto _ : state) {
        card.Panel.InvalidateCard();
        card.Panel.repaint();
        const qint64 now = card.Panel.CardImage().cacheKey();
        rebuilds += now != key;
        key = now;
    }
    state.counters["card_rebuilds"] = rebuilds;
}
BENCHMARK(BM_RepaintChangedAt150)->Unit(benchmark::kMicrosecond);

// A second start of the program while one runs: it hands over to the first and ends.
void BM_SecondStartExits(benchmark::State& state) {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/pentavo");
    QTemporaryDir socketFolder; // keeps these copies apart from one the user runs
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), socketFolder.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    if (!first.waitForStarted()) {
        state.SkipWithError("the program did not start");
        return;
    }
    QThread::msleep(1000); // let it reach its message loop
    for (auto _ : state) {
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(program, {});
        if (!second.waitForFinished(5000) || second.exitCode() != 0) {
            state.SkipWithError("the second copy did not end by itself");
            break;
        }
    }
    first.kill();
    first.waitForFinished();
}
BENCHMARK(BM_SecondStartExits)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    // Headless and reproducible: the offscreen platform, a private program folder.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's note that it ignores size hints is noise here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& msg) {
        if (!msg.contains(QStringLiteral("propagateSizeHints")))
            fprintf(stderr, "%s\n", qPrintable(msg));
    });
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const double appMs = clock.nsecsElapsed() / 1e6;
    QTemporaryDir folder;
    SetProgramFolder(folder.path());

    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("application_start_ms",
                                QString::number(appMs, 'f', 1).toStdString());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
