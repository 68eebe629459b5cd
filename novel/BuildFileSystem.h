#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

// The file operations of file collection, the package and the build, behind one interface so
// that tests can make any step fail. Failures raise the EditorError subclasses with the message
// the author sees (UTF-8).
namespace miravo {

class IInputFile {
public:
    virtual ~IInputFile() = default;
    virtual std::int64_t Size() = 0;
    virtual void Seek(std::int64_t position) = 0; // FileReadError
    // Up to `size` bytes; 0 only at the end. FileReadError when reading fails.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class IOutputFile {
public:
    virtual ~IOutputFile() = default;
    virtual void Write(const char* data, std::size_t size) = 0; // FileWriteError
    virtual std::int64_t Position() = 0;
};

class IBuildFileSystem {
public:
    virtual ~IBuildFileSystem() = default;

    virtual bool FileExists(const std::filesystem::path& path) = 0;
    // Other programs may go on reading and writing the file meanwhile. FileOpenError.
    virtual std::unique_ptr<IInputFile> OpenRead(const std::filesystem::path& path) = 0;
    // With every missing parent. EditorError "ﾃﾞｨﾚｸﾄﾘを作成することができません" (also for an
    // empty path: an output path without a folder).
    virtual void CreateFolders(const std::filesystem::path& folder) = 0;
    // Replaces an existing target; false when the copy failed.
    virtual bool CopyFile(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Read and write, no other program may open it meanwhile, positioned at its end.
    // FileOpenError.
    virtual std::unique_ptr<IOutputFile> OpenForAppending(const std::filesystem::path& path) = 0;
    // Creates or replaces the file. FileWriteError.
    virtual void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) = 0;
};

// The computer's own files. On a file system that tells letter case apart (POSIX), a name that
// is not found as written is looked up without regard to ASCII case, segment by segment, as
// Windows finds it: novels written on Windows name their files in any case.
std::unique_ptr<IBuildFileSystem> MakeDiskFileSystem();

extern const char* const kCannotCreateFolderMessage;

} // namespace miravo
