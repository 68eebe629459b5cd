#pragma once

#include "novel/BuildFileSystem.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The data package appended to a built program: a magic, a directory of named entries with
// offsets and sizes, then the entries' bytes back to back. Little-endian:
//   0    13         length byte 12 and "PackageFile2"
//   13   2          entry count, signed 16-bit
//   15   264 x N    entries: name length byte, 255 name bytes (zero padded), int32 offset from
//                   the first data byte, int32 size
//   15 + 264 x N    the data of every entry in directory order
namespace miravo {

inline constexpr std::string_view kPackageMagic{"\x0CPackageFile2", 13};
inline constexpr std::size_t kPackageHeaderSize = 15;
inline constexpr std::size_t kPackageEntrySize = 264;
inline constexpr std::size_t kPackageNameCapacity = 255;
inline constexpr int kPackageMaxEntries = 32767;

struct PackageEntry {
    std::string name; // Shift-JIS, at most 255 bytes
    std::int32_t offset = 0;
    std::int32_t size = 0;
    bool operator==(const PackageEntry&) const = default;
};

// Writes a package from files: Add takes each file's size, Write copies the files in large
// blocks from source to output, never a whole file in memory.
class TWritePackageFile {
public:
    // Percentage (0 to 100) after each entry's data, and that entry's name.
    using ProgressCallback = std::function<void(int percent, const std::string& entryName)>;

    explicit TWritePackageFile(IBuildFileSystem& files); // empty, no callback
    ~TWritePackageFile();                                // Clear
    TWritePackageFile(const TWritePackageFile&) = delete;
    TWritePackageFile& operator=(const TWritePackageFile&) = delete;

    // Opens the source (shared) for its size and appends an entry with the name cut to 255
    // bytes. FileOpenError when it cannot be opened; EditorError when the package could no
    // longer count it (32767 entries, 2 GiB of data). Either way nothing is added.
    void Add(const std::filesystem::path& source, std::string_view entryName);
    // The whole package at the output's position; the sizes are those taken by Add (a source
    // that became shorter meanwhile is a read error, never a directory that lies). Raises the
    // first open, read or write error; the output then holds a partial package.
    void Write(IOutputFile& output);
    void Clear();

    void SetProgress(ProgressCallback callback) { progress_ = std::move(callback); }
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::vector<PackageEntry>& Entries() const { return entries_; }
    std::int64_t TotalSize() const { return total_; }

private:
    IBuildFileSystem& files_;
    std::vector<PackageEntry> entries_;
    std::vector<std::filesystem::path> sources_;
    std::int64_t total_ = 0;
    ProgressCallback progress_;
};

// The directory bytes (magic, count, entries with their offsets set in order): what Write
// puts before the data.
std::string PackageDirectoryBytes(std::vector<PackageEntry>& entries);

} // namespace miravo
