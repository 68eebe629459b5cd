#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The few file primitives that differ between Windows and POSIX; FileAccess builds on them.
namespace miravo::platform {

class OutputFile {
public:
    virtual ~OutputFile() = default; // closes without flushing
    virtual bool Write(const char* data, std::size_t size) = 0;
    virtual bool FlushAndClose() = 0; // to the disk, so that a replace cannot expose a hole
};

enum class CreateResult { Created, AlreadyExists, Failed };
// Creates a file that must not exist yet.
std::unique_ptr<OutputFile> CreateNewFile(const std::filesystem::path& path, CreateResult& result);

// A regular file open for reading; closed when destroyed.
class InputFile {
public:
    virtual ~InputFile() = default;
    virtual std::uint64_t Size() const = 0; // as it was when opened
    // Appends up to `count` bytes to `out` (fewer only at the end of the file); false on error.
    virtual bool ReadInto(std::string& out, std::size_t count) = 0;
};
// Null when the file cannot be opened or is no regular file. `exclusive`: no other program may
// have it open meanwhile (Windows sharing).
std::unique_ptr<InputFile> OpenInputFile(const std::filesystem::path& path, bool exclusive);

// The system calls of the replace step, each giving 0 or the system's error code: Windows
// replaces with ReplaceFileW and falls back to a move; POSIX renames (replaceFile only).
// Tests give stand-ins that fail as a file system can.
struct ReplaceCalls {
    std::uint32_t (*replaceFile)(const std::filesystem::path& target,
                                 const std::filesystem::path& replacement);
    std::uint32_t (*moveFile)(const std::filesystem::path& replacement,
                              const std::filesystem::path& target);
};
const ReplaceCalls& SystemReplaceCalls();

enum class ReplaceResult {
    Replaced,
    TargetIntact, // failed; the target is as it was (or still absent)
    TargetLost,   // failed after the target was removed or renamed: the replacement is the
                  // only copy and must be kept
};
// Puts `replacement` in the place of `target` (which may or may not exist) in one step, written
// through to the disk.
ReplaceResult ReplaceTarget(const std::filesystem::path& replacement,
                            const std::filesystem::path& target,
                            const ReplaceCalls& calls = SystemReplaceCalls());

void RemoveFileQuietly(const std::filesystem::path& path);

// Folder listing for the novel-folder file list (FolderFiles.h).
struct FolderEntry {
    std::u16string name;
    bool isFolder = false;
    bool isLink = false; // a symbolic link or junction: never descended into (loops)
};
// The entries of `folder` except "." and ".."; false when it cannot be read.
bool ReadFolderEntries(const std::filesystem::path& folder, std::vector<FolderEntry>& entries);

// How the file system's short (8.3) name of a file compares with its own name. Unknown where
// the platform has no short names or cannot tell.
enum class ShortNameAnswer { SameAsName, Differs, Unknown };
ShortNameAnswer CompareShortName(const std::filesystem::path& file);

} // namespace miravo::platform
