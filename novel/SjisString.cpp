#include "novel/SjisString.h"

#include "novel/ShiftJis.h"

namespace miravo {

SjisString SjisString::FromUtf8(std::string_view utf8) { return SjisString(sjis::FromUtf8(utf8)); }

std::string SjisString::ToUtf8() const { return sjis::ToUtf8(bytes_); }

std::u16string SjisString::ToUtf16() const { return sjis::ToUtf16(bytes_); }

SjisConversion ToSjis(std::u16string_view utf16) {
    if (auto exact = sjis::FromUtf16Exact(utf16)) {
        return {SjisString(std::move(*exact)), {}};
    }
    // Rare: convert character by character to learn which ones were lost.
    SjisConversion result;
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size();) {
        const bool pair = i + 1 < utf16.size() && utf16[i] >= 0xD800 && utf16[i] <= 0xDBFF &&
                          utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
        const std::u16string_view character = utf16.substr(i, pair ? 2 : 1);
        i += character.size();
        if (auto one = sjis::FromUtf16Exact(character)) {
            bytes += *one;
            continue;
        }
        bytes.push_back('?');
        if (result.replaced.find(character) == std::u16string::npos) {
            result.replaced += character;
        }
    }
    result.text = SjisString(std::move(bytes));
    return result;
}

} // namespace miravo
