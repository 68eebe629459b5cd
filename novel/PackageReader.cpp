#include "novel/PackageReader.h"

#include "novel/ByteStream.h"
#include "novel/NovelNames.h"
#include "novel/NovelScramble.h"

#include <algorithm>

namespace miravo {
namespace {

constexpr std::size_t kCopyBlock = 1 << 20;

// Exactly `size` bytes at `position`, or a read error.
std::string ReadAt(IInputFile& file, std::int64_t position, std::size_t size) {
    if (position < 0 || position > file.Size() || std::int64_t(size) > file.Size() - position)
        ByteReader::Fail();
    std::string bytes(size, '\0');
    file.Seek(position);
    std::size_t done = 0;
    while (done < size) {
        const std::size_t got = file.Read(bytes.data() + done, size - done);
        if (got == 0)
            ByteReader::Fail();
        done += got;
    }
    return bytes;
}

std::uint32_t U32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + std::size_t(i)])) << (8 * i);
    return value;
}

std::uint16_t U16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void CheckEntryRange(IInputFile& file, const PackageDirectory& directory,
                     const PackageEntry& entry) {
    if (entry.offset < 0 || entry.size < 0 ||
        directory.PositionOf(entry) + entry.size > file.Size())
        ByteReader::Fail();
}

} // namespace

const PackageEntry* PackageDirectory::Find(std::string_view name) const {
    const std::string wanted = LocaleLower(name);
    for (const PackageEntry& entry : entries) {
        if (LocaleLower(entry.name) == wanted)
            return &entry;
    }
    return nullptr;
}

PackageDirectory ReadPackageDirectory(IInputFile& file, std::int64_t packageStart) {
    const std::string header = ReadAt(file, packageStart, kPackageHeaderSize);
    if (std::string_view(header).substr(0, kPackageMagic.size()) != kPackageMagic)
        ByteReader::Fail();
    const auto count = static_cast<std::int16_t>(U16(header, kPackageMagic.size()));
    if (count < 0)
        ByteReader::Fail();
    PackageDirectory directory;
    directory.packageStart = packageStart;
    directory.dataStart =
        packageStart + std::int64_t(kPackageHeaderSize) + std::int64_t(kPackageEntrySize) * count;
    // The directory is read whole only once the file is known to hold it.
    const std::string table = ReadAt(file, packageStart + std::int64_t(kPackageHeaderSize),
                                     kPackageEntrySize * std::size_t(count));
    directory.entries.reserve(std::size_t(count));
    for (std::size_t k = 0; k < std::size_t(count); ++k) {
        const std::string_view raw = std::string_view(table).substr(k * kPackageEntrySize);
        PackageEntry entry;
        entry.name = std::string(raw.substr(1, static_cast<unsigned char>(raw[0])));
        entry.offset = static_cast<std::int32_t>(U32(raw, 256));
        entry.size = static_cast<std::int32_t>(U32(raw, 260));
        CheckEntryRange(file, directory, entry);
        directory.entries.push_back(std::move(entry));
    }
    return directory;
}

std::optional<std::int64_t> ProgramImageEnd(IInputFile& file) {
    const std::int64_t fileSize = file.Size();
    if (fileSize < 64)
        return std::nullopt;
    const std::string dos = ReadAt(file, 0, 64);
    if (dos[0] != 'M' || dos[1] != 'Z')
        return std::nullopt;
    const std::int64_t pe = U32(dos, 0x3C);
    if (pe + 24 > fileSize)
        return std::nullopt;
    const std::string coff = ReadAt(file, pe, 24);
    if (coff.compare(0, 4, std::string("PE\0\0", 4)) != 0)
        return std::nullopt;
    const std::uint16_t sections = U16(coff, 6);
    const std::int64_t symbolTable = U32(coff, 12);
    const std::int64_t symbolCount = U32(coff, 16);
    const std::int64_t optionalSize = U16(coff, 20);
    const std::int64_t sectionTable = pe + 24 + optionalSize;
    if (sectionTable + 40 * std::int64_t(sections) > fileSize)
        return std::nullopt;
    std::int64_t end = sectionTable + 40 * std::int64_t(sections);
    if (optionalSize >= 64) // SizeOfHeaders, at the same place in PE32 and PE32+
        end = std::max<std::int64_t>(end, U32(ReadAt(file, pe + 24 + 60, 4), 0));
    const std::string table = ReadAt(file, sectionTable, 40 * std::size_t(sections));
    for (std::size_t s = 0; s < sections; ++s) {
        const std::int64_t rawSize = U32(table, s * 40 + 16);
        const std::int64_t rawPointer = U32(table, s * 40 + 20);
        if (rawSize > 0)
            end = std::max(end, rawPointer + rawSize);
    }
    if (symbolTable != 0) {
        // The string table follows the symbols and starts with its own size.
        const std::int64_t strings = symbolTable + symbolCount * 18;
        std::int64_t stringsEnd = strings;
        if (strings + 4 <= fileSize)
            stringsEnd = strings + U32(ReadAt(file, strings, 4), 0);
        end = std::max(end, stringsEnd);
    }
    if (end > fileSize)
        return std::nullopt;
    return end;
}

std::optional<PackageDirectory> FindAppendedPackage(IInputFile& program) {
    const std::optional<std::int64_t> end = ProgramImageEnd(program);
    if (!end || program.Size() - *end < std::int64_t(kPackageHeaderSize))
        return std::nullopt;
    if (ReadAt(program, *end, kPackageMagic.size()) != kPackageMagic)
        return std::nullopt;
    return ReadPackageDirectory(program, *end);
}

std::string ReadPackageEntry(IInputFile& file, const PackageDirectory& directory,
                             const PackageEntry& entry) {
    CheckEntryRange(file, directory, entry);
    return ReadAt(file, directory.PositionOf(entry), std::size_t(entry.size));
}

void CopyPackageEntry(IInputFile& file, const PackageDirectory& directory,
                      const PackageEntry& entry, IOutputFile& output) {
    CheckEntryRange(file, directory, entry);
    file.Seek(directory.PositionOf(entry));
    std::string buffer(std::min<std::size_t>(kCopyBlock, std::size_t(entry.size) + 1), '\0');
    std::int64_t left = entry.size;
    while (left > 0) {
        const std::size_t got = file.Read(
            buffer.data(), std::size_t(std::min<std::int64_t>(left, std::int64_t(buffer.size()))));
        if (got == 0)
            ByteReader::Fail();
        output.Write(buffer.data(), got);
        left -= std::int64_t(got);
    }
}

std::string ReadPackagedNovel(IInputFile& file, const PackageDirectory& directory) {
    const PackageEntry* novel = directory.Find(kPackagedNovelName);
    if (novel == nullptr)
        ByteReader::Fail();
    return UnscrambleNovel(ReadPackageEntry(file, directory, *novel));
}

} // namespace miravo
