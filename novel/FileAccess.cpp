#include "novel/FileAccess.h"

#include "novel/EditorError.h"
#include "novel/FileAccessPlatform.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <limits>
#include <system_error>

namespace miravo {
namespace {

std::string Quoted(const std::filesystem::path& path) { return "\"" + PathToUtf8(path) + "\""; }

// Large writes go out in pieces, so that a full disk shows up at the piece that did not fit.
constexpr std::size_t kWriteChunk = 1 << 20;

// Different name for every attempt of this process; the time keeps separate processes apart.
std::filesystem::path TemporaryName(const std::filesystem::path& target, int attempt) {
    static std::atomic<unsigned> sequence{0};
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%llx%x%x.tmp", ticks & 0xFFFFFFFFull,
                  sequence.fetch_add(1), unsigned(attempt));
    std::filesystem::path name = target.filename();
    name += suffix;
    return target.parent_path() / name;
}

// The file that a path names after its symbolic links: a save through a link replaces the
// link's target, not the link. A loop, or a link that cannot be read, ends the search.
std::filesystem::path FollowLinks(std::filesystem::path path) {
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error))
            break;
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

} // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

FileReader::FileReader(const std::filesystem::path& path, bool exclusive)
    : path_(path), file_(platform::OpenInputFile(path, exclusive)) {
    if (!file_)
        throw FileOpenError("ファイル " + Quoted(path_) + " を開けません.");
}

FileReader::~FileReader() = default;

std::uint64_t FileReader::Size() const { return file_->Size(); }

void FileReader::ReadInto(std::string& bytes, std::size_t count) {
    const std::size_t before = bytes.size();
    const bool read = file_->ReadInto(bytes, count);
    position_ += bytes.size() - before;
    if (!read)
        throw FileReadError("ファイル " + Quoted(path_) + " の読み込み中にエラーが発生しました.");
}

void FileReader::ReadRestInto(std::string& bytes) {
    // The size when opened is only a hint: a file that grows meanwhile is read to its end.
    const std::uint64_t rest = Size() > position_ ? Size() - position_ : 0;
    if (rest < bytes.max_size() - bytes.size())
        bytes.reserve(bytes.size() + static_cast<std::size_t>(rest));
    ReadInto(bytes, std::numeric_limits<std::size_t>::max());
}

std::string ReadWholeFile(const std::filesystem::path& path, bool exclusive) {
    std::string bytes;
    FileReader(path, exclusive).ReadRestInto(bytes);
    return bytes;
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target,
                                   const platform::ReplaceCalls* calls)
    : target_(FollowLinks(std::move(target))),
      calls_(calls ? *calls : platform::SystemReplaceCalls()) {
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temporary_ = TemporaryName(target_, attempt);
        platform::CreateResult result;
        file_ = platform::CreateNewFile(temporary_, result);
        if (result == platform::CreateResult::Failed)
            break;
    }
    if (!file_)
        throw FileWriteError("ファイル " + Quoted(target_) + " を作成できません.");
}

AtomicFileWriter::~AtomicFileWriter() {
    if (file_) {
        file_.reset();
        platform::RemoveFileQuietly(temporary_);
    }
}

void AtomicFileWriter::Fail() {
    file_.reset();
    platform::RemoveFileQuietly(temporary_);
    std::error_code ignored;
    std::string message = "ファイル " + Quoted(target_) + " の書き込みに失敗しました.";
    if (std::filesystem::exists(target_, ignored))
        message += "\r\n以前のファイルは変更されていません.";
    throw FileWriteError(message);
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (!file_)
        Fail();
    for (std::size_t done = 0; done < bytes.size(); done += kWriteChunk) {
        const std::size_t size = std::min(kWriteChunk, bytes.size() - done);
        if (!file_->Write(bytes.data() + done, size))
            Fail();
    }
}

void AtomicFileWriter::Commit() {
    if (!file_ || !file_->FlushAndClose())
        Fail();
    file_.reset();
    const std::string failed = "ファイル " + Quoted(target_) + " を作成できません.";
    switch (platform::ReplaceTarget(temporary_, target_, calls_)) {
    case platform::ReplaceResult::Replaced: return;
    case platform::ReplaceResult::TargetIntact:
        platform::RemoveFileQuietly(temporary_);
        throw FileWriteError(failed);
    case platform::ReplaceResult::TargetLost: break;
    }
    // The temporary file is now the only copy of the novel: it stays, and the author is told.
    throw FileWriteError(failed + "\r\n保存した内容はファイル " + Quoted(temporary_) +
                         " に残っています.");
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    writer.Commit();
}

} // namespace miravo
