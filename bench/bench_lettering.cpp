// A card of six lines of lettering (gradient, texture, shadow, outline): repainting it at
// 150 % after one line's caption changed, refitting a line as the properties dialog does
// while typing, and printing twenty sheets of it into a PDF file (time and file size).
#include "effects/DiduzOvoz.h"
#include "surface/BasePanel.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<TGDiduzOvoz*> AddLettering(TGBasePanel& panel) {
    QImage tile(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            tile.setPixel(x, y, qRgb(x * 16, y * 16, 128));
    std::vector<TGDiduzOvoz*> lines;
    for (int i = 0; i < 6; ++i) {
        auto* o = static_cast<TGDiduzOvoz*>(panel.AddObject(std::make_unique<TGDiduzOvoz>()));
        o->Loaded();
        o->SetBounds(4 + (i % 2) * 166, 4 + (i / 2) * 62, 160, 60);
        o->SetCaption(QStringLiteral("Pentavo %1").arg(i));
        TFont f = o->Font();
        f.SetSize(24);
        o->ApplyFont(f);
        o->SetShadowDepth(3);
        o->SetOutlineWidth(2);
        if (i % 2) {
            o->SetSurfaceType(stBrushImage);
            o->SetImage(TBitmap(tile));
        }
        lines.push_back(o);
    }
    return lines;
}

void RepaintAfterOneChange(benchmark::State& state) {
    TGBasePanel panel;
    panel.resize(336, 192);
    const std::vector<TGDiduzOvoz*> lines = AddLettering(panel);
    panel.SetZoom(1.5f);
    panel.CardImage();
    int n = 0;
    for (auto _ : state) {
        lines[std::size_t(n % 6)]->SetCaption(QStringLiteral("Card %1").arg(n));
        benchmark::DoNotOptimize(panel.CardImage().constBits());
        ++n;
    }
}

void RefitWhileTyping(benchmark::State& state) {
    TGDiduzOvoz o;
    QString text;
    for (auto _ : state) {
        text += QLatin1Char(char('a' + text.size() % 26));
        if (text.size() > 40)
            text.clear();
        o.SetCaption(text);
        benchmark::DoNotOptimize(o.FitToText());
    }
}

void PrintLetteringSheets(benchmark::State& state) {
    TGBasePanel panel;
    panel.resize(336, 192);
    AddLettering(panel);
    PrintSheetsToPdf(state, panel);
}

} // namespace

BENCHMARK(RepaintAfterOneChange)->Unit(benchmark::kMillisecond);
BENCHMARK(RefitWhileTyping)->Unit(benchmark::kMicrosecond);
BENCHMARK(PrintLetteringSheets)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
