#pragma once

#include <cstddef>
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

enum class ReadResult { Read, OpenFailed, ReadFailed };
ReadResult ReadFileContents(const std::filesystem::path& path, bool exclusive, std::string& out);

// Puts `replacement` in the place of `target` (which may or may not exist) in one step, written
// through to the disk.
bool ReplaceTarget(const std::filesystem::path& replacement, const std::filesystem::path& target);

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
