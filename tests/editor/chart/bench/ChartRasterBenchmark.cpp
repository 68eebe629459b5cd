// The chart's link drawing without GDI: the lines and arrowheads of 16384 link slots into a
// 3000 × 3000 picture, against filling the same picture.
#include "editor/chart/ChartRaster.h"
#include "tests/editor/chart/bench/LargeChart.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace miravo {
namespace {

struct Picture {
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(3000u * 9000u);
    RasterTarget Target() { return {pixels.data(), 9000, 3000, 3000, {0, 0}}; }
};

void PlainFill(benchmark::State& state) {
    Picture picture;
    for (auto _ : state) {
        std::memset(picture.pixels.data(), 0xFF, picture.pixels.size());
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(PlainFill)->Unit(benchmark::kMillisecond);

void Links(benchmark::State& state) {
    CNovelModel model;
    bench::MakeLargeChart(model, state.range(0) != 0);
    Picture picture;
    for (auto _ : state) {
        RasterLinks(picture.Target(), model.Items, VisibleLinks(model.Items), 0xFF5252, 0x3097FF);
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(Links)->ArgName("nearby")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace miravo

BENCHMARK_MAIN();
