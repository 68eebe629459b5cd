#include "novel/ShiftJis.h"

#include "novel/ShiftJisTable.h"

#include <array>
#include <memory>
#include <optional>

namespace miravo::sjis {
namespace {

constexpr char32_t kEscapeBase = 0xDC00; // escaped byte b is U+DC00 + b (b >= 0x80)
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

bool IsEscape(char32_t code) { return code >= 0xDC80 && code <= 0xDCFF; }

int LeadRow(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F; }

std::uint16_t DoubleByteCode(unsigned char lead, unsigned char trail) {
    if (!IsLeadByte(lead) || trail < 0x40 || trail > 0xFC)
        return 0;
    return detail::kDoubleByteToUtf16[LeadRow(lead) * detail::kTrailCount + (trail - 0x40)];
}

// Shift-JIS code (one byte, or lead << 8 | trail) of every UTF-16 unit that code page 932
// holds; 0 for none. Built once from the decoding table and never changed afterwards.
const std::array<std::uint16_t, 0x10000>& EncodingTable() {
    static const std::unique_ptr<std::array<std::uint16_t, 0x10000>> table = [] {
        auto built = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        built->fill(0);
        for (unsigned byte = 0x01; byte < 0x80; ++byte)
            (*built)[byte] = static_cast<std::uint16_t>(byte);
        for (unsigned byte = 0xA1; byte <= 0xDF; ++byte)
            (*built)[0xFF61 + byte - 0xA1] = static_cast<std::uint16_t>(byte);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const std::uint16_t code = DoubleByteCode(static_cast<unsigned char>(lead),
                                                          static_cast<unsigned char>(trail));
                if (code != 0)
                    (*built)[code] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        return built;
    }();
    return *table;
}

// Calls sink(code point) for each character of Shift-JIS text; a byte that does not start a
// character of code page 932 becomes its escape.
template <typename Sink> void Decode(std::string_view text, Sink&& sink) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            sink(char32_t(byte));
            ++i;
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            sink(char32_t(0xFF61 + byte - 0xA1));
            ++i;
        } else if (IsLeadByte(byte) && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (const std::uint16_t code = DoubleByteCode(byte, trail)) {
                sink(char32_t(code));
                i += 2;
            } else if (trail >= 0x80 && trail <= 0xFC) {
                // A pair without a character of its own: the trail byte is escaped with the
                // lead byte, so that it does not start a character either. (A trail byte below
                // 0x80 has no escape and stays the ASCII character it is.)
                sink(kEscapeBase + byte);
                sink(kEscapeBase + trail);
                i += 2;
            } else {
                sink(kEscapeBase + byte);
                ++i;
            }
        } else {
            sink(kEscapeBase + byte);
            ++i;
        }
    }
}

// Appends the Shift-JIS form of one code point; false when code page 932 has no such character.
bool EncodeInto(char32_t code, std::string& out) {
    if (IsEscape(code)) {
        out.push_back(static_cast<char>(code - kEscapeBase));
        return true;
    }
    if (code == 0) {
        out.push_back('\0');
        return true;
    }
    if (code > 0xFFFF)
        return false;
    const std::uint16_t sjis = EncodingTable()[code];
    if (sjis == 0)
        return false;
    if (sjis > 0xFF)
        out.push_back(static_cast<char>(sjis >> 8));
    out.push_back(static_cast<char>(sjis & 0xFF));
    return true;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | code >> 6));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | code >> 12));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | code >> 18));
        out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Next code point of UTF-8 text. Surrogates encoded as three bytes are accepted, so that the
// escapes of ToUtf8 come back; any other malformed sequence gives kNoCharacter for one byte.
char32_t NextUtf8(std::string_view text, std::size_t& i) {
    const auto first = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (first < 0x80) {
        ++i;
        return first;
    } else if ((first & 0xE0) == 0xC0) {
        length = 2, code = first & 0x1F, minimum = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3, code = first & 0x0F, minimum = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4, code = first & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kNoCharacter;
    }
    if (i + length > text.size()) {
        ++i;
        return kNoCharacter;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kNoCharacter;
        }
        code = code << 6 | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF) {
        ++i;
        return kNoCharacter;
    }
    i += length;
    return code;
}

template <typename Sink> void DecodeUtf16(std::u16string_view text, Sink&& sink) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            sink(0x10000 + (char32_t(unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            sink(char32_t(unit));
        }
    }
}

} // namespace

std::size_t CharLength(std::string_view text, std::size_t index) {
    if (index + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[index])))
        return 2;
    return 1;
}

namespace {
template <typename Map> std::string MapAscii(std::string_view text, Map&& map) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); i += CharLength(result, i))
        result[i] = map(result[i]);
    return result;
}
} // namespace

std::string AsciiLower(std::string_view text) {
    return MapAscii(text, [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
}

std::string AsciiUpper(std::string_view text) {
    return MapAscii(text, [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
}

std::string ToUtf8(std::string_view shiftJis) {
    std::string result;
    result.reserve(shiftJis.size() + shiftJis.size() / 2);
    Decode(shiftJis, [&](char32_t code) { AppendUtf8(code, result); });
    return result;
}

std::u16string ToUtf16(std::string_view shiftJis) {
    std::u16string result;
    result.reserve(shiftJis.size());
    Decode(shiftJis, [&](char32_t code) { result.push_back(static_cast<char16_t>(code)); });
    return result;
}

std::optional<std::string> FromUtf8Exact(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (!EncodeInto(NextUtf8(utf8, i), result))
            return std::nullopt;
    }
    return result;
}

std::string FromUtf8(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (!EncodeInto(NextUtf8(utf8, i), result))
            result.push_back('?');
    }
    return result;
}

std::optional<std::string> FromUtf16Exact(std::u16string_view utf16) {
    std::string result;
    result.reserve(utf16.size() * 2);
    bool ok = true;
    DecodeUtf16(utf16, [&](char32_t code) { ok = ok && EncodeInto(code, result); });
    if (!ok)
        return std::nullopt;
    return result;
}

std::string FromUtf16(std::u16string_view utf16) {
    std::string result;
    result.reserve(utf16.size() * 2);
    DecodeUtf16(utf16, [&](char32_t code) {
        if (!EncodeInto(code, result))
            result.push_back('?');
    });
    return result;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = NextUtf8(utf8, i);
        if (code == kNoCharacter)
            code = 0xFFFD;
        if (code >= 0x10000) {
            result.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
    }
    return result;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string result;
    result.reserve(utf16.size() * 3);
    DecodeUtf16(utf16, [&](char32_t code) { AppendUtf8(code, result); });
    return result;
}

} // namespace miravo::sjis
