#pragma once

#include <compare>
#include <string>
#include <string_view>
#include <utility>

namespace miravo {

// Model text: Shift-JIS bytes exactly as the novel file stores them. A type of its own, so that
// text meant for a window or a message cannot take a model string without going through one of
// the conversions below (the only ones), and a model field cannot take text from a control
// without one either.
class SjisString {
public:
    SjisString() = default;
    explicit SjisString(std::string bytes) : bytes_(std::move(bytes)) {}

    // UTF-8 (source literals, JSON); a character that code page 932 lacks becomes "?".
    static SjisString FromUtf8(std::string_view utf8);

    const std::string& Bytes() const { return bytes_; }
    bool Empty() const { return bytes_.empty(); }
    std::string ToUtf8() const;
    std::u16string ToUtf16() const;

    friend bool operator==(const SjisString&, const SjisString&) = default;
    friend auto operator<=>(const SjisString&, const SjisString&) = default;

private:
    std::string bytes_;
};

// Text that leaves a control for the model. Characters that code page 932 cannot hold become
// "?" as Windows makes them; `replaced` lists each of them once, in the order they first occur,
// so that the author can be told what changed.
struct SjisConversion {
    SjisString text;
    std::u16string replaced;
};
SjisConversion ToSjis(std::u16string_view utf16);

} // namespace miravo
