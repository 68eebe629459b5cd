#include "novel/PackageFile.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <limits>

namespace miravo {
namespace {

// Large enough that a copy is bound by the disk, small enough to stay out of the way.
constexpr std::size_t kCopyBlock = 1 << 20;

void PutInt(std::string& out, std::size_t at, std::int64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[at + std::size_t(i)] = static_cast<char>((std::uint64_t(value) >> (8 * i)) & 0xFF);
}

// At most 255 bytes, never half a double-byte character.
std::string CutName(std::string_view name) {
    std::size_t length = 0;
    while (length < name.size()) {
        const std::size_t next = length + sjis::CharLength(name, length);
        if (next > kPackageNameCapacity)
            break;
        length = next;
    }
    return std::string(name.substr(0, length));
}

} // namespace

std::string PackageDirectoryBytes(std::vector<PackageEntry>& entries) {
    std::string bytes(kPackageHeaderSize + kPackageEntrySize * entries.size(), '\0');
    std::copy(kPackageMagic.begin(), kPackageMagic.end(), bytes.begin());
    PutInt(bytes, kPackageMagic.size(), static_cast<std::int64_t>(entries.size()), 2);
    std::int64_t offset = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        PackageEntry& entry = entries[k];
        entry.offset = static_cast<std::int32_t>(offset);
        const std::size_t at = kPackageHeaderSize + kPackageEntrySize * k;
        bytes[at] = static_cast<char>(entry.name.size());
        std::copy(entry.name.begin(), entry.name.end(), bytes.begin() + std::ptrdiff_t(at) + 1);
        PutInt(bytes, at + 256, entry.offset, 4);
        PutInt(bytes, at + 260, entry.size, 4);
        offset += entry.size;
    }
    return bytes;
}

TWritePackageFile::TWritePackageFile(IBuildFileSystem& files) : files_(files) {}

TWritePackageFile::~TWritePackageFile() { Clear(); }

void TWritePackageFile::Add(const std::filesystem::path& source, std::string_view entryName) {
    const std::int64_t size = files_.OpenRead(source)->Size();
    // Every offset and size must fit its signed 32-bit field, or the directory would lie.
    if (Count() >= kPackageMaxEntries || size > std::numeric_limits<std::int32_t>::max() - total_)
        throw EditorError("ファイル \"" + PathToUtf8(source) +
                          "\" はデータパッケージに入りきりません (2GB, 32767 ファイルまで).");
    entries_.push_back(PackageEntry{CutName(entryName), 0, static_cast<std::int32_t>(size)});
    sources_.push_back(source);
    total_ += size;
}

void TWritePackageFile::Write(IOutputFile& output) {
    const std::string directory = PackageDirectoryBytes(entries_);
    output.Write(directory.data(), directory.size());
    std::string buffer(std::min<std::int64_t>(kCopyBlock, std::max<std::int64_t>(total_, 1)), '\0');
    const int count = Count();
    for (int k = 0; k < count; ++k) {
        const PackageEntry& entry = entries_[std::size_t(k)];
        const std::unique_ptr<IInputFile> source = files_.OpenRead(sources_[std::size_t(k)]);
        std::int64_t left = entry.size;
        while (left > 0) {
            const std::size_t want =
                std::size_t(std::min<std::int64_t>(left, std::int64_t(buffer.size())));
            const std::size_t got = source->Read(buffer.data(), want);
            if (got == 0)
                throw FileReadError("ファイル \"" + PathToUtf8(sources_[std::size_t(k)]) +
                                    "\" の読み込み中にエラーが発生しました.");
            output.Write(buffer.data(), got);
            left -= std::int64_t(got);
        }
        if (progress_)
            progress_((k + 1) * 100 / count, entry.name);
    }
}

void TWritePackageFile::Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
    sources_.clear();
    sources_.shrink_to_fit();
    total_ = 0;
}

} // namespace miravo
