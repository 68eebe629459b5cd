#include "novel/ByteStream.h"

#include "novel/EditorError.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <limits>

namespace miravo {

void ByteReader::Fail() {
    throw FileReadError("ファイルの読み込みエラーです.\r\n"
                        "ファイルが途中で切れているか、壊れています.");
}

void ByteReader::Require(std::size_t size) const {
    if (size > Remaining())
        Fail();
}

std::int32_t ByteReader::ReadInt32() {
    Require(4);
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes_[position_ + std::size_t(k)]);
    position_ += 4;
    return static_cast<std::int32_t>(value);
}

std::uint8_t ByteReader::ReadByte() {
    Require(1);
    return static_cast<std::uint8_t>(bytes_[position_++]);
}

bool ByteReader::ReadBool() { return ReadByte() != 0; }

std::string_view ByteReader::ReadStringView() {
    const std::int32_t length = ReadInt32();
    if (length < 0)
        Fail();
    Require(static_cast<std::size_t>(length));
    const std::string_view text = bytes_.substr(position_, static_cast<std::size_t>(length));
    position_ += static_cast<std::size_t>(length);
    return text;
}

std::string ByteReader::ReadString() { return std::string(ReadStringView()); }

std::string ByteReader::ReadShortString(std::size_t capacity) {
    Require(capacity + 1);
    const std::size_t length = std::min<std::size_t>(ReadByte(), capacity);
    std::string text(bytes_.substr(position_, length));
    position_ += capacity;
    return text;
}

std::int32_t ByteReader::ReadCount() {
    const std::int32_t count = ReadInt32();
    if (count < 0)
        Fail();
    return count;
}

void ByteReader::RequireRecords(std::int32_t count, std::size_t minRecordSize) const {
    if (count < 0 || static_cast<std::size_t>(count) > Remaining() / minRecordSize)
        Fail();
}

void ByteWriter::WriteInt32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        bytes_.push_back(static_cast<char>(bits >> (8 * k) & 0xFF));
}

void ByteWriter::WriteByte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }

void ByteWriter::WriteString(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EditorError("文字列が長すぎるため保存できません.");
    WriteInt32(static_cast<std::int32_t>(text.size()));
    bytes_.append(text);
}

void ByteWriter::WriteShortString(std::string_view text, std::size_t capacity, char padding) {
    // Never end on half a double-byte character: step whole characters up to the capacity.
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t next = length + sjis::CharLength(text, length);
        if (next > capacity)
            break;
        length = next;
    }
    WriteByte(static_cast<std::uint8_t>(length));
    bytes_.append(text.substr(0, length));
    bytes_.append(capacity - length, padding);
}

} // namespace miravo
