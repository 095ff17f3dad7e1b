// Printing a sheet of a ten-object card into a PDF file: one sheet and twenty sheets.
#include "printing/CardPrinting.h"
#include "report/ReportCanvas.h"
#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Stand-ins for the card's objects: text lines, framed shapes and one picture, drawn with
// the canvas operations the real kinds use.
class TBenchText : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TBenchText"); }
    void PrintTo(TReportCanvas& r, double x, double y) override {
        r.SetFont(QStringLiteral("Liberation Sans"), 10 + Tag());
        r.SetFontStyle(Tag() % 2 == 1, false, false);
        r.SetFontColor(clNavy);
        const TInchRect box{x + Left() / 96.0, y + Top() / 96.0,
                            x + (Left() + Width()) / 96.0, y + (Top() + Height()) / 96.0};
        r.TextRect(r.DeviceRect(box), box.Left, box.Top, QStringLiteral("Pentavo Design Studio"));
    }
};

class TBenchShape : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TBenchShape"); }
    void PrintTo(TReportCanvas& r, double x, double y) override {
        r.SetPen(clMaroon, 0, -2, 4);
        r.SetBrush(clYellow, Tag() == 0 ? 0 : 1);
        const TInchRect box{x + Left() / 96.0, y + Top() / 96.0,
                            x + (Left() + Width()) / 96.0, y + (Top() + Height()) / 96.0};
        if (Tag() == 0)
            r.Ellipse(box);
        else
            r.RoundRect(box, 0.1, 0.1);
    }
};

class TBenchPicture : public TGGraphicControl {
public:
    TBenchPicture() : FImage(200, 120, QImage::Format_RGB32) {
        for (int y = 0; y < FImage.height(); ++y)
            for (int x = 0; x < FImage.width(); ++x)
                FImage.setPixel(x, y, qRgb(x, y * 2, (x + y) % 256));
    }
    QString ClassName() const override { return QStringLiteral("TBenchPicture"); }
    void PrintTo(TReportCanvas& r, double x, double y) override {
        r.StretchBitmap({x + Left() / 96.0, y + Top() / 96.0, x + (Left() + Width()) / 96.0,
                         y + (Top() + Height()) / 96.0},
                        FImage);
    }

private:
    QImage FImage;
};

void AddDesign(TGBasePanel& panel) {
    for (int i = 0; i < 6; ++i) {
        auto* t = panel.AddObject(std::make_unique<TBenchText>());
        t->SetTag(i);
        t->SetBounds(100, 20 + 25 * i, 220, 22);
    }
    for (int i = 0; i < 3; ++i) {
        auto* s = panel.AddObject(std::make_unique<TBenchShape>());
        s->SetTag(i);
        s->SetBounds(10 + 30 * i, 150, 25, 25);
    }
    panel.AddObject(std::make_unique<TBenchPicture>())->SetBounds(10, 10, 80, 48);
}

void PrintSheets(benchmark::State& state) {
    TGBasePanel panel;
    panel.resize(336, 192);
    AddDesign(panel);
    QTemporaryDir dir;
    const QString file = dir.filePath("cards.pdf");
    TPrintRunSettings settings;
    settings.Copies = int(state.range(0));
    for (auto _ : state)
        if (!PrintToPdf(panel, settings, file, nullptr))
            state.SkipWithError("cannot write the PDF");
    state.counters["bytes"] = double(QFileInfo(file).size());
}

} // namespace

BENCHMARK(PrintSheets)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
