#include "design/NacreformDoc.h"
#include "render/CaptionContrast.h"
#include "render/CaptionFit.h"
#include "render/ContentPlacement.h"
#include "render/Render.h"
#include "render/RendererTable.h"


#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Shorter side of the non-square shapes, as a share of the longer.
constexpr double kFlatRatio = 0.4;

// What no renderer can beat: allocating and clearing its canvas. Median of
// a few runs, in seconds.
double FloorSeconds(QSize canvas)
{
    constexpr int kRuns = 31;
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        benchmark::DoNotOptimize(image.constBits());
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

void RenderDesign(benchmark::State& state, CNacreformDoc& doc)
{
    const QSize canvas = doc.Renderer->Render(doc).size();
    double rendering = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        QImage image = doc.Renderer->Render(doc);
        benchmark::DoNotOptimize(image.constBits());
        rendering += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double floor = FloorSeconds(canvas);
    state.counters["floor_us"] = floor * 1e6;
    state.counters["x_floor"] = rendering / double(state.iterations()) / floor;
    state.SetLabel(QStringLiteral("%1x%2").arg(canvas.width()).arg(canvas.height()).toStdString());
}

// The default design: circle 00, 128 x 128, caption and shadows.
void BM_DefaultDesign(benchmark::State& state)
{
    CNacreformDoc doc;
    RenderDesign(state, doc);
}

// Arguments: shape command, shape width. Caption and shape shadow as the
// default design has them.
void BM_Shape(benchmark::State& state)
{
    CNacreformDoc doc;
    doc.SelectRenderer(unsigned(state.range(0)), false, false);
    const int width = int(state.range(1));
    const int height = doc.Renderer->IsSquareShape() ? width : int(width * kFlatRatio);
    doc.ShapeSize = {width, height};
    RenderDesign(state, doc);
}

// With --benchmark_repetitions, the fastest repetition too: on a busy
// machine the closest to what the code itself costs.
double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(BM_DefaultDesign)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_Shape)
    ->ArgNames({"shape", "width"})
    ->ArgsProduct({{kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}, {128, 512, 1000}})
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

// What the status bar checks after every render of the default design: the
// cut-off content and the caption's contrast (a render of one pixel).
void BM_DesignChecks(benchmark::State& state)
{
    CNacreformDoc doc;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindContentCuts(doc));
        benchmark::DoNotOptimize(MeasureCaptionContrast(doc));
    }
}
BENCHMARK(BM_DesignChecks)->Unit(benchmark::kMicrosecond);

// Fitting the default circle to a long caption.
void BM_FitShapeToCaption(benchmark::State& state)
{
    CNacreformDoc doc;
    doc.String = QStringLiteral("Download the whole file");
    for (auto _ : state) {
        doc.ShapeSize = {128, 128};
        doc.FontSize = 20;
        benchmark::DoNotOptimize(FitShapeToCaption(doc, std::nullopt));
    }
}
BENCHMARK(BM_FitShapeToCaption)->Unit(benchmark::kMicrosecond);
