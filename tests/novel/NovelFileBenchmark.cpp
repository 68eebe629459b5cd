// Loading and saving a 2048-item novel with realistic scripts, next to reading and writing the
// same number of bytes plainly. Compare LoadNovel with PlainRead and SaveNovel with PlainWrite
// (both write through the same flushed, atomic replace) and PlainWriteUnflushed.
#include "RecordingInteraction.h"
#include "SampleNovels.h"
#include "TempFolder.h"

#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"

#include <benchmark/benchmark.h>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace miravo;
using namespace miravo::test;

namespace {

struct Fixture {
    Fixture() {
        FillLargeNovel(model, CNovelItems::kMaxCount, 160);
        bytes = SerializeNovel(model);
        novelPath = folder / "large.mve";
        WriteFileAtomically(novelPath, bytes);
    }
    TempFolder folder;
    CNovelModel model;
    std::string bytes;
    std::filesystem::path novelPath;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void Report(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Shared().bytes.size()));
    state.counters["MB"] = static_cast<double>(Shared().bytes.size()) / 1e6;
}

void LoadNovel(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        CNovelModel model;
        RecordingInteraction ui;
        LoadNovelFile(model, f.novelPath, ui);
        benchmark::DoNotOptimize(model.Items.Count());
    }
    Report(state);
}

void PlainRead(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        std::FILE* file = std::fopen(f.novelPath.c_str(), "rb");
        std::string buffer(f.bytes.size(), '\0');
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
    }
    Report(state);
}

void SaveNovel(benchmark::State& state) {
    Fixture& f = Shared();
    const auto path = f.folder / "saved.mve";
    for (auto _ : state)
        SaveNovelFile(f.model, path);
    Report(state);
}

void PlainWrite(benchmark::State& state) {
    Fixture& f = Shared();
    const auto path = f.folder / "plain.bin";
    for (auto _ : state)
        WriteFileAtomically(path, f.bytes);
    Report(state);
}

void PlainWriteUnflushed(benchmark::State& state) {
    Fixture& f = Shared();
    const auto path = f.folder / "unflushed.bin";
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(f.bytes.data(), 1, f.bytes.size(), file);
        std::fclose(file);
    }
    Report(state);
}

void ParseInMemory(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        CNovelModel model;
        RecordingInteraction ui;
        ParseNovel(model, f.bytes, ui);
        benchmark::DoNotOptimize(model.Items.Count());
    }
    Report(state);
}

void SerializeInMemory(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(SerializeNovel(f.model).size());
    Report(state);
}

} // namespace

BENCHMARK(LoadNovel)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveNovel)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainWriteUnflushed)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(SerializeInMemory)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv) {
#ifdef __GLIBC__
    // glibc hands a freed block of this size back to the kernel or keeps it depending on what
    // else the heap holds, so one side of a comparison would pay fresh-page faults on every
    // iteration and the other none. Keep freed memory for both.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
