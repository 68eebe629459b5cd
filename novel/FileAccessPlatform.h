#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

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

} // namespace miravo::platform
