// The package reader over any bytes: as a built program (image end, appended package) and as a
// package at the start, every entry read back and the novel unscrambled.
#include "novel/EditorError.h"
#include "novel/MemoryFiles.h"
#include "novel/PackageReader.h"

#include <cstddef>
#include <cstdint>

using namespace miravo;

namespace {
void ReadAll(IInputFile& file, const PackageDirectory& directory) {
    for (const PackageEntry& entry : directory.entries) {
        MemoryOutputFile output;
        CopyPackageEntry(file, directory, entry, output);
        if (output.Bytes() != ReadPackageEntry(file, directory, entry))
            __builtin_trap();
    }
    if (directory.Find(kPackagedNovelName) != nullptr)
        ReadPackagedNovel(file, directory);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryInputFile file(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        if (const std::optional<PackageDirectory> directory = FindAppendedPackage(file))
            ReadAll(file, *directory);
    } catch (const EditorError&) {
    }
    try {
        ReadAll(file, ReadPackageDirectory(file, 0));
    } catch (const EditorError&) {
    }
    return 0;
}
