// The chart's link drawing without GDI: the lines and arrowheads of 16384 link slots into a
// 3000 × 3000 picture, against filling the same picture. "Repeated" keeps the arrowheads between
// runs as the chart window does; "first" works them all out, as the first repaint of a novel.
#include "editor/chart/ChartRaster.h"
#include "editor/chart/HelperThread.h"
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

void Links(benchmark::State& state, bool repeated) {
    CNovelModel model;
    bench::MakeLargeChart(model, state.range(0) != 0);
    Picture picture;
    LinkCache cache;
    LinkWork work;
    const auto links = VisibleLinks(model.Items);
    for (auto _ : state) {
        if (!repeated) {
            cache = LinkCache();
        }
        LinkBands bands(picture.Target(), static_cast<int>(state.range(1)), model.Items, links,
                        0xFF5252, 0x3097FF, cache, work);
        for (int band = 0; band < bands.BandCount(); ++band) {
            bands.DrawBand(band);
        }
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK_CAPTURE(Links, repeated, true)
    ->ArgNames({"nearby", "rows"})
    ->ArgsProduct({{1, 0}, {32, 128, 512, 3000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Links, first, false)
    ->ArgNames({"nearby", "rows"})
    ->ArgsProduct({{1, 0}, {32}})
    ->Unit(benchmark::kMillisecond);

// The upper and lower half at once, as the chart window paints them, heads kept.
void LinksInHalves(benchmark::State& state) {
    CNovelModel model;
    bench::MakeLargeChart(model, state.range(0) != 0);
    Picture picture;
    LinkCache cache;
    LinkWork work[2];
    HelperThread helper;
    const auto links = VisibleLinks(model.Items);
    const RasterTarget whole = picture.Target();
    cache.Fit(links.size());
    cache.PrepareHeads(whole, model.Items, links, 0, links.size());
    const auto half = [&](int top, int rows, LinkWork& lists) {
        LinkBands bands(whole.Rows(top, rows), 64, model.Items, links, 0xFF5252, 0x3097FF, cache,
                        lists);
        for (int band = 0; band < bands.BandCount(); ++band) {
            bands.DrawBand(band);
        }
    };
    for (auto _ : state) {
        helper.RunAlongside([&] { half(1536, 3000 - 1536, work[1]); },
                            [&] { half(0, 1536, work[0]); });
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(LinksInHalves)
    ->ArgNames({"nearby"})
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace miravo

BENCHMARK_MAIN();
