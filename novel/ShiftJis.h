#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Shift-JIS (code page 932) text: the model's strings are Shift-JIS bytes exactly as the novel
// file stores them. Every scan steps over double-byte characters with these helpers, and every
// conversion at a boundary (UTF-8 literals and JSON, UTF-16 for the W interfaces) goes through
// them. Conversions are lossless: a byte that is not part of a valid Shift-JIS character maps to
// U+DC80 + byte and back ("surrogateescape").
namespace miravo::sjis {

// 0x81-0x9F and 0xE0-0xFC take the next byte with them.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length in bytes (1 or 2) of the character at `index`; a lead byte at the very end counts as 1.
std::size_t CharLength(std::string_view text, std::size_t index);

// ASCII letters only; double-byte characters stay whole (their trail bytes are not touched).
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

std::string ToUtf8(std::string_view shiftJis);
std::string FromUtf8(std::string_view utf8);
std::u16string ToUtf16(std::string_view shiftJis);
std::string FromUtf16(std::u16string_view utf16);

// FromUtf8 and FromUtf16 put "?" for a character that code page 932 does not hold (as Windows
// does); the Exact forms give nothing instead, for input that must not lose anything.
std::optional<std::string> FromUtf8Exact(std::string_view utf8);
std::optional<std::string> FromUtf16Exact(std::u16string_view utf16);

// Plain UTF-8 <-> UTF-16 (file paths, messages). Surrogates that stand alone pass through in
// both directions; malformed UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

} // namespace miravo::sjis
