// Times one stretched drawing of a skin image, decoding included, as the controls do it on
// every set-up and resize.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "skin/CSkinStretcher.h"

namespace {

void StretchedDrawing(benchmark::State& state, int id, int width, int height) {
    dashcam::CMemCanvas canvas;
    canvas.Create(width, height);
    dashcam::SkinRect content;
    for (auto _ : state) {
        dashcam::CSkinStretcher stretcher;
        stretcher.DrawStretched(canvas, id, &content);
        benchmark::DoNotOptimize(content);
    }
}

} // namespace

BENCHMARK_CAPTURE(StretchedDrawing, background_501_722x587, 501, 722, 587)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StretchedDrawing, button_161_221x29, 161, 221, 29)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
