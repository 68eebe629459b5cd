#pragma once

#include "novel/ShiftJis.h"
#include "novel/SjisString.h"

#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace miravo {

// Text that a window or a message box shows: UTF-8, a type of its own beside the model's
// SjisString. A literal is UI text (the sources are UTF-8); any other string says what it holds
// (FromUtf8, FromUtf16), and model text enters only through the conversion of SjisString, so a
// message that quotes an item or counter name cannot skip it.
class UiText {
public:
    UiText() = default;
    UiText(const char* literal) : utf8_(literal) {} // NOLINT: literals are UI text
    static UiText FromUtf8(std::string utf8) {
        UiText text;
        text.utf8_ = std::move(utf8);
        return text;
    }
    static UiText FromUtf16(std::u16string_view utf16) {
        return FromUtf8(sjis::Utf16ToUtf8(utf16));
    }
    static UiText From(const SjisString& modelText) { return FromUtf8(modelText.ToUtf8()); }

    const std::string& Utf8() const { return utf8_; }
    std::u16string Utf16() const { return sjis::Utf8ToUtf16(utf8_); }
    bool Empty() const { return utf8_.empty(); }

    UiText& operator+=(const UiText& more) {
        utf8_ += more.utf8_;
        return *this;
    }
    UiText& operator+=(const SjisString& modelText) { return *this += From(modelText); }
    friend UiText operator+(UiText left, const UiText& right) { return left += right; }
    friend UiText operator+(UiText left, const char* right) { return left += UiText(right); }
    friend UiText operator+(UiText left, const SjisString& right) { return left += right; }

    // Only against UTF-8 text, so that comparing with a literal is never ambiguous.
    friend bool operator==(const UiText& text, std::string_view utf8) { return text.utf8_ == utf8; }
    friend std::ostream& operator<<(std::ostream& out, const UiText& text) {
        return out << text.utf8_;
    }

private:
    std::string utf8_;
};

} // namespace miravo
