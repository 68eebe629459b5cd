#pragma once

#include "novel/BuildFileSystem.h"
#include "novel/PackageFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading a package back: from a built program (the package starts where the program's image
// ends) or from any position of a file. The bytes come from outside, so every count, name,
// offset and size is checked against the file before it is used; a damaged package raises
// FileReadError.
namespace miravo {

struct PackageDirectory {
    std::int64_t packageStart = 0;
    std::int64_t dataStart = 0; // packageStart + 15 + 264 x N
    std::vector<PackageEntry> entries;

    // Without regard to letter case, as Windows finds files; nullptr when absent.
    const PackageEntry* Find(std::string_view name) const;
    // Where the entry's bytes lie in the file (what a player hands to the sound engine).
    std::int64_t PositionOf(const PackageEntry& entry) const { return dataStart + entry.offset; }
};

PackageDirectory ReadPackageDirectory(IInputFile& file, std::int64_t packageStart);

// The end of a Windows program's image in its file: headers, sections and a COFF symbol table
// where there is one. Nothing when the file is not a Windows program.
std::optional<std::int64_t> ProgramImageEnd(IInputFile& file);

// The package appended to a program; nothing when the program carries none.
std::optional<PackageDirectory> FindAppendedPackage(IInputFile& program);

// An entry's bytes whole (the novel), or copied in blocks to an output (unpacking).
std::string ReadPackageEntry(IInputFile& file, const PackageDirectory& directory,
                             const PackageEntry& entry);
void CopyPackageEntry(IInputFile& file, const PackageDirectory& directory,
                      const PackageEntry& entry, IOutputFile& output);

// The novel of a built program: entry "autorun.mve", unscrambled.
std::string ReadPackagedNovel(IInputFile& file, const PackageDirectory& directory);

inline constexpr std::string_view kPackagedNovelName = "autorun.mve";
inline constexpr std::string_view kSoundEngineName = "MVSound.mvx";

} // namespace miravo
