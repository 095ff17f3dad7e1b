// Printing a sheet of a ten-object card into a PDF file: one sheet and twenty sheets.
#include "objects/BusinessCardLabel.h"
#include "objects/LabelShapes.h"
#include "objects/LineShape.h"
#include "report/ReportCanvas.h"
#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

// The design's picture: no picture object exists yet, so a stand-in prints a bitmap the
// way the clip art object will.
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

// Ten objects: six lines of text, two shapes, a rule and a picture.
void AddDesign(TGBasePanel& panel) {
    const char* lines[] = {"Jane Doe",          "Designer",         "Pentavo Design Studio",
                           "12 Harbour Street", "+44 20 7946 0000", "jane@pentavo.example"};
    for (int i = 0; i < 6; ++i) {
        auto* t = static_cast<TGBusinessCardLabel*>(
            panel.AddObject(std::make_unique<TGBusinessCardLabel>()));
        TFont font;
        font.Name = QStringLiteral("Liberation Sans");
        font.SetSize(i == 0 ? 16 : 9);
        font.Set(fsBold, i == 0);
        t->SetFont(font);
        t->SetCaption(QString::fromLatin1(lines[i]));
        t->SetBounds(100, 12 + 28 * i, 220, 24);
    }
    for (TShapeType shape : {stEllipse, stRoundRect}) {
        auto* s = static_cast<TBCShapes*>(panel.AddObject(std::make_unique<TBCShapes>()));
        s->SetShape(shape);
        s->SetBounds(shape == stEllipse ? 10 : 50, 140, 34, 34);
    }
    panel.AddObject(std::make_unique<TGLineShape>())->SetBounds(100, 180, 220, 3);
    panel.AddObject(std::make_unique<TBenchPicture>())->SetBounds(10, 10, 80, 48);
}

void PrintSheets(benchmark::State& state) {
    TGBasePanel panel;
    panel.resize(336, 192);
    AddDesign(panel);
    PrintSheetsToPdf(state, panel);
}

} // namespace

BENCHMARK(PrintSheets)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
