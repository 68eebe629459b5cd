// Package writing against a plain copy of the same files, in the same run: the package copies
// stream to stream in large blocks and should come close to the copy.
#include "TempFolder.h"

#include "novel/BuildFileSystem.h"
#include "novel/PackageFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace miravo;
using namespace miravo::test;

namespace {

// MIRAVO_PACKAGE_BENCH_MB sets the size of the set (default 64 MB: the machine is shared).
struct FileSet {
    TempFolder folder;
    std::vector<std::filesystem::path> files;
    std::int64_t bytes = 0;

    FileSet() {
        const char* setting = std::getenv("MIRAVO_PACKAGE_BENCH_MB");
        const int megabytes = setting ? std::atoi(setting) : 64;
        std::filesystem::create_directories(folder / "in");
        // Sizes like a novel's: many small pictures and sounds, a few large pieces of music.
        std::string data(8 << 20, '\0');
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = char((i * 2654435761u) >> 13);
        const std::size_t sizes[] = {8 << 20, 3 << 20, 300 << 10, 60 << 10, 1 << 20};
        for (int n = 0; bytes < std::int64_t(megabytes) << 20; ++n) {
            const std::size_t size = sizes[std::size_t(n) % std::size(sizes)];
            files.push_back(folder / "in" / ("f" + std::to_string(n)));
            TempFolder::Write(files.back(), data.substr(0, size));
            bytes += std::int64_t(size);
        }
    }
};

FileSet& Set() {
    static FileSet set;
    return set;
}

void PackageWrite(benchmark::State& state) {
    FileSet& set = Set();
    auto disk = MakeDiskFileSystem();
    const auto output = set.folder / "package.bin";
    for (auto _ : state) {
        TempFolder::Write(output, "");
        TWritePackageFile writer(*disk);
        for (const auto& file : set.files)
            writer.Add(file, file.filename().string());
        const auto out = disk->OpenForAppending(output);
        writer.Write(*out);
    }
    state.SetBytesProcessed(state.iterations() * set.bytes);
}
BENCHMARK(PackageWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void PlainCopy(benchmark::State& state) {
    FileSet& set = Set();
    std::filesystem::create_directories(set.folder / "copy");
    for (auto _ : state) {
        for (const auto& file : set.files)
            std::filesystem::copy_file(file, set.folder / "copy" / file.filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }
    state.SetBytesProcessed(state.iterations() * set.bytes);
}
BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
