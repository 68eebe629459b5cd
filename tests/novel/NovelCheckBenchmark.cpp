// The novel check on the largest novel (2048 items of realistic scripts), next to a plain walk
// over the same lines: the check should cost a small multiple of reading the script once.
#include "SampleNovels.h"

#include "novel/CommandParser.h"
#include "novel/NovelCheck.h"

#include <benchmark/benchmark.h>

using namespace miravo;

namespace {

class EveryFilePresent : public ICheckedFolder {
public:
    FileLookup Look(std::string_view) override { return {FileLookupState::Present, {}}; }
};

const CNovelModel& LargeNovel() {
    static const CNovelModel model = [] {
        CNovelModel m;
        test::FillLargeNovel(m, CNovelItems::kMaxCount, 160);
        return m;
    }();
    return model;
}

void CheckLargeNovel(benchmark::State& state) {
    EveryFilePresent folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckNovel(LargeNovel(), &folder).size());
}

void SplitEveryCommandLine(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t words = 0;
        const CNovelItems& items = LargeNovel().Items;
        for (int i = 0; i < items.Count(); ++i)
            for (std::string_view line : items[i].Text)
                if (IsCommandLine(line))
                    words += SplitCommandWords(line).size();
        benchmark::DoNotOptimize(words);
    }
}

} // namespace

BENCHMARK(CheckLargeNovel)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitEveryCommandLine)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
