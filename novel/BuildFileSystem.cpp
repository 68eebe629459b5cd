#include "novel/BuildFileSystem.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <share.h>
#endif

namespace miravo {

const char* const kCannotCreateFolderMessage = "ﾃﾞｨﾚｸﾄﾘを作成することができません";

namespace {

std::string Quoted(const std::filesystem::path& path) { return "\"" + PathToUtf8(path) + "\""; }

[[noreturn]] void RaiseOpen(const std::filesystem::path& path) {
    throw FileOpenError("ファイル " + Quoted(path) + " を開けません.");
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Shared: others may read and write; otherwise nobody else may open it meanwhile.
FileHandle OpenFile(const std::filesystem::path& path, bool forWriting, bool shared) {
#ifdef _WIN32
    return FileHandle(
        _wfsopen(path.c_str(), forWriting ? L"r+b" : L"rb", shared ? _SH_DENYNO : _SH_DENYRW));
#else
    (void)shared;
    return FileHandle(std::fopen(path.c_str(), forWriting ? "r+b" : "rb"));
#endif
}

bool SeekTo(std::FILE* file, std::int64_t position, int origin) {
#ifdef _WIN32
    return _fseeki64(file, position, origin) == 0;
#else
    return fseeko(file, static_cast<off_t>(position), origin) == 0;
#endif
}

std::int64_t Tell(std::FILE* file) {
#ifdef _WIN32
    return _ftelli64(file);
#else
    return static_cast<std::int64_t>(ftello(file));
#endif
}

class DiskInputFile : public IInputFile {
public:
    DiskInputFile(FileHandle file, std::filesystem::path path)
        : file_(std::move(file)), path_(std::move(path)) {
        // Large blocks go straight to the caller's buffer.
        std::setvbuf(file_.get(), nullptr, _IONBF, 0);
        if (!SeekTo(file_.get(), 0, SEEK_END) || (size_ = Tell(file_.get())) < 0 ||
            !SeekTo(file_.get(), 0, SEEK_SET))
            RaiseRead();
    }
    std::int64_t Size() override { return size_; }
    void Seek(std::int64_t position) override {
        if (!SeekTo(file_.get(), position, SEEK_SET))
            RaiseRead();
    }
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t got = std::fread(buffer, 1, size, file_.get());
        if (got == 0 && std::ferror(file_.get()))
            RaiseRead();
        return got;
    }

private:
    [[noreturn]] void RaiseRead() {
        throw FileReadError("ファイル " + Quoted(path_) + " の読み込み中にエラーが発生しました.");
    }
    FileHandle file_;
    std::filesystem::path path_;
    std::int64_t size_ = 0;
};

class DiskOutputFile : public IOutputFile {
public:
    DiskOutputFile(FileHandle file, std::filesystem::path path)
        : file_(std::move(file)), path_(std::move(path)) {
        std::setvbuf(file_.get(), nullptr, _IONBF, 0);
    }
    ~DiskOutputFile() override = default;
    void Write(const char* data, std::size_t size) override {
        if (std::fwrite(data, 1, size, file_.get()) != size)
            throw FileWriteError("ファイル " + Quoted(path_) + " の書き込みに失敗しました.");
    }
    std::int64_t Position() override { return Tell(file_.get()); }

private:
    FileHandle file_;
    std::filesystem::path path_;
};

#ifndef _WIN32
// File names on POSIX are UTF-8, whose bytes of longer characters are never ASCII letters.
std::string Utf8AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}
#endif

// The path as found on the disk: as written where it exists, otherwise each missing segment
// matched without regard to ASCII case in its folder.
std::filesystem::path FoundOnDisk(const std::filesystem::path& path) {
#ifdef _WIN32
    return path;
#else
    std::error_code error;
    if (path.empty() || std::filesystem::exists(path, error))
        return path;
    std::filesystem::path found;
    for (const std::filesystem::path& segment : path) {
        std::filesystem::path next = found / segment;
        if (!std::filesystem::exists(next, error) && !found.empty()) {
            const std::string wanted = Utf8AsciiLower(segment.string());
            for (const auto& entry : std::filesystem::directory_iterator(found, error)) {
                if (Utf8AsciiLower(entry.path().filename().string()) == wanted) {
                    next = entry.path();
                    break;
                }
            }
        }
        found = next;
    }
    return found;
#endif
}

class DiskFileSystem : public IBuildFileSystem {
public:
    bool FileExists(const std::filesystem::path& path) override {
        std::error_code error;
        return std::filesystem::is_regular_file(FoundOnDisk(path), error);
    }

    std::unique_ptr<IInputFile> OpenRead(const std::filesystem::path& path) override {
        const std::filesystem::path found = FoundOnDisk(path);
        std::error_code error;
        if (std::filesystem::is_directory(found, error))
            RaiseOpen(path);
        FileHandle file = OpenFile(found, false, true);
        if (!file)
            RaiseOpen(path);
        return std::make_unique<DiskInputFile>(std::move(file), path);
    }

    void CreateFolders(const std::filesystem::path& folder) override {
        std::error_code error;
        if (folder.empty())
            throw EditorError(kCannotCreateFolderMessage);
        std::filesystem::create_directories(folder, error);
        if (error || !std::filesystem::is_directory(folder, error))
            throw EditorError(kCannotCreateFolderMessage);
    }

    // In blocks through a temporary file beside the target, so that a failed copy leaves the
    // target as it was (the library's copy_file also fails under Wine).
    bool CopyFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        try {
            const std::unique_ptr<IInputFile> source = OpenRead(from);
            AtomicFileWriter target(to);
            std::string buffer(std::size_t(std::min<std::int64_t>(source->Size(), 1 << 20)) + 1,
                               '\0');
            while (const std::size_t got = source->Read(buffer.data(), buffer.size()))
                target.Write(std::string_view(buffer.data(), got));
            target.Commit();
            return true;
        } catch (const EditorError&) {
            return false;
        }
    }

    std::unique_ptr<IOutputFile> OpenForAppending(const std::filesystem::path& path) override {
        FileHandle file = OpenFile(path, true, false);
        if (!file || !SeekTo(file.get(), 0, SEEK_END))
            RaiseOpen(path);
        return std::make_unique<DiskOutputFile>(std::move(file), path);
    }

    void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) override {
        WriteFileAtomically(path, bytes);
    }
};

} // namespace

std::unique_ptr<IBuildFileSystem> MakeDiskFileSystem() {
    return std::make_unique<DiskFileSystem>();
}

} // namespace miravo
