// A card of 50 gradient stars: repainting it at 150 % after one star changed, and printing
// twenty sheets of it into a PDF file (time and file size).
#include "effects/RirizIzadu.h"
#include "surface/BasePanel.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

// Ten across, five down, each star 30 x 34 pixels with a shadow and a gradient.
std::vector<TRirizIzadu*> AddStars(TGBasePanel& panel) {
    std::vector<TRirizIzadu*> stars;
    for (int i = 0; i < 50; ++i) {
        auto* star = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
        star->SetBounds(4 + (i % 10) * 33, 4 + (i / 10) * 37, 30, 34);
        star->SetShape(gstStar);
        star->SetSurfaceType(stGradientFill);
        star->SetBackColor(RGBColor(i * 5, 40, 200));
        star->SetGradientToColor(clYellow);
        star->SetFillDirection(TFillDirection(i % 4));
        star->SetShadowOrient(soLowerRight);
        star->SetShadowDepth(2);
        stars.push_back(star);
    }
    return stars;
}

void RepaintAfterOneChange(benchmark::State& state) {
    TGBasePanel panel;
    panel.resize(336, 192);
    const std::vector<TRirizIzadu*> stars = AddStars(panel);
    panel.SetZoom(1.5f);
    panel.CardImage();
    int n = 0;
    for (auto _ : state) {
        // Each round of fifty turns every star to the other colour.
        stars[std::size_t(n % 50)]->SetGradientToColor((n / 50) % 2 ? clYellow : clRed);
        benchmark::DoNotOptimize(panel.CardImage().constBits());
        ++n;
    }
}

void PrintStarSheets(benchmark::State& state) {
    TGBasePanel panel;
    panel.resize(336, 192);
    AddStars(panel);
    PrintSheetsToPdf(state, panel);
}

} // namespace

BENCHMARK(RepaintAfterOneChange)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintStarSheets)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
