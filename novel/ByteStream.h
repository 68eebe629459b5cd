#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The little-endian encodings of the novel file over memory. The reader never trusts its input:
// every read checks what is left first, and a length larger than the rest fails before anything
// is allocated, so a damaged file costs no more memory than its own size.
namespace miravo {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }

    std::int32_t ReadInt32();
    std::uint8_t ReadByte();
    bool ReadBool(); // any non-zero byte is true
    // int32 byte count, then the bytes; a negative count or one past the end is a read error.
    std::string ReadString();
    // The same, as a view into the reader's bytes (valid while they are).
    std::string_view ReadStringView();
    // Length byte, then `capacity` bytes of which the first min(length, capacity) count.
    std::string ReadShortString(std::size_t capacity);
    // A record count: negative, or more records of at least minRecordSize bytes than the rest
    // can hold, is a read error. Limits of the tables are the caller's check, made first.
    std::int32_t ReadCount();
    void RequireRecords(std::int32_t count, std::size_t minRecordSize) const;

    // FileReadError with the editor's read-error message.
    [[noreturn]] static void Fail();

private:
    void Require(std::size_t size) const;

    std::string_view bytes_;
    std::size_t position_ = 0;
};

class ByteWriter {
public:
    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }
    void Reserve(std::size_t size) { bytes_.reserve(size); }

    void WriteInt32(std::int32_t value);
    void WriteByte(std::uint8_t value);
    void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
    // Fails with EditorError for text longer than an int32 can count.
    void WriteString(std::string_view text);
    // Cut to `capacity` bytes at a character boundary, padded with `padding`.
    void WriteShortString(std::string_view text, std::size_t capacity, char padding = '\0');

private:
    std::string bytes_;
};

} // namespace miravo
