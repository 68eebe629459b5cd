// The fade blend of one 640 x 480 frame beside a memcpy of the bytes it moves (the three input
// pictures and the output), so the ratio comes from one run on one machine.
#include "picture/FadeBlend.h"
#include "picture/FadeMasks.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace miravo;

namespace {

CRaster Noise(std::uint32_t seed) {
    CRaster raster(640, 480);
    for (int y = 0; y < 480; ++y) {
        std::uint8_t* p = raster.Row(y);
        for (int i = 0; i < 640 * 3; ++i) {
            seed = seed * 1664525u + 1013904223u;
            p[i] = std::uint8_t(seed >> 24);
        }
    }
    return raster;
}

void BM_FadeBlend(benchmark::State& state) {
    const CRaster to = Noise(1), from = Noise(2);
    const CRaster mask = PaintFadeMask(FadeMask::FadePuzzleImage);
    CFadeWorkBuffers buffers;
    DibAlphaMaskInit(buffers, to, from, mask);
    CRaster out(640, 480);
    int percent = 0;
    for (auto _ : state) {
        DibAlphaMaskBlendOptimal(buffers, 24, percent, out);
        benchmark::DoNotOptimize(out.Row(0));
        percent = (percent + 7) % 100; // never 100: that is a plain copy
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * 640 * 480 * 3 * 4);
}
BENCHMARK(BM_FadeBlend);

void BM_MemcpyOfTheSameBytes(benchmark::State& state) {
    const std::size_t size = 640 * 480 * 3;
    std::vector<std::uint8_t> a(size, 1), b(size, 2), c(size, 3), out(size * 3);
    for (auto _ : state) {
        std::memcpy(out.data(), a.data(), size);
        std::memcpy(out.data() + size, b.data(), size);
        std::memcpy(out.data() + 2 * size, c.data(), size);
        std::memcpy(a.data(), out.data(), size); // the output's writes
        benchmark::DoNotOptimize(out.data());
        benchmark::DoNotOptimize(a.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size) * 4);
}
BENCHMARK(BM_MemcpyOfTheSameBytes);

} // namespace

BENCHMARK_MAIN();
