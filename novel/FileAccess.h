#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// Files of the document core, named by std::filesystem paths so that Japanese names work on
// Windows whatever the ANSI code page. Failures raise the EditorError subclasses with the
// message the author sees.
namespace miravo {

namespace platform {
class InputFile;
class OutputFile;
struct ReplaceCalls;
} // namespace platform

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The whole file. `exclusive`: no other program may have it open meanwhile (Windows sharing).
// FileOpenError when it cannot be opened, FileReadError when reading fails.
std::string ReadWholeFile(const std::filesystem::path& path, bool exclusive = false);

// A file read in parts, so that a reader can look at its start before it takes the rest.
// FileOpenError when it cannot be opened, FileReadError when reading fails.
class FileReader {
public:
    FileReader(const std::filesystem::path& path, bool exclusive = false);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    std::uint64_t Size() const;
    // Appends the next `count` bytes (fewer at the end of the file) to `bytes`.
    void ReadInto(std::string& bytes, std::size_t count);
    // Appends the rest of the file.
    void ReadRestInto(std::string& bytes);

private:
    std::filesystem::path path_;
    std::unique_ptr<platform::InputFile> file_;
    std::uint64_t position_ = 0;
};

// Writes a file so that it is either completely the new content or still the old one: the bytes
// go to a temporary file in the target's folder, and only Commit() puts it in the target's
// place (flushed to the disk first). Destroying the writer without Commit(), or any failure,
// removes the temporary file and leaves the target as it was; only when a failed replace has
// already removed or renamed the target is the temporary file kept, and the error names it.
class AtomicFileWriter {
public:
    // FileWriteError if not created. `calls`: stand-ins for the system's replace (tests).
    explicit AtomicFileWriter(std::filesystem::path target,
                              const platform::ReplaceCalls* calls = nullptr);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes); // FileWriteError
    void Commit();                      // FileWriteError

    const std::filesystem::path& TemporaryPath() const { return temporary_; }

private:
    [[noreturn]] void Fail();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    const platform::ReplaceCalls& calls_;
    std::unique_ptr<platform::OutputFile> file_; // empty once committed or failed
};

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace miravo
