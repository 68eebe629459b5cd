#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules of the numeric edit, apart from its window, so that they are tested natively.
namespace miravo {

inline constexpr int kNumeralLowest = -2147483647;
inline constexpr int kNumeralHighest = 2147483647;

struct NumeralBounds {
    int minimum = kNumeralLowest;
    int maximum = kNumeralHighest;

    int Clamp(std::int64_t value) const {
        return static_cast<int>(std::clamp<std::int64_t>(value, minimum, maximum));
    }
    // A minimum above the maximum takes the maximum, and a maximum below the minimum the minimum.
    NumeralBounds WithMinimum(int value) const { return {std::min(value, maximum), maximum}; }
    NumeralBounds WithMaximum(int value) const { return {minimum, std::max(value, minimum)}; }
};

// A full-width digit (as an input method types it) as its ASCII digit; other characters as they
// are.
inline wchar_t NarrowDigit(wchar_t c) {
    return c >= L'０' && c <= L'９' ? static_cast<wchar_t>(L'0' + (c - L'０')) : c;
}

// The value a field's text stands for, forced into the bounds; nothing when it holds no digits
// (empty, a lone minus). Digits beyond the range of int saturate before clamping, so a long
// number gives the nearer bound instead of wrapping round.
inline std::optional<int> ParseNumeral(std::wstring_view text, const NumeralBounds& bounds) {
    while (!text.empty() && text.front() == L' ') {
        text.remove_prefix(1);
    }
    const bool negative = !text.empty() && (text.front() == L'-' || text.front() == L'－');
    if (negative) {
        text.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    bool anyDigit = false;
    for (const wchar_t raw : text) {
        const wchar_t c = NarrowDigit(raw);
        if (c < L'0' || c > L'9') {
            break;
        }
        anyDigit = true;
        magnitude = std::min<std::int64_t>(magnitude * 10 + (c - L'0'), std::int64_t{1} << 40);
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    return bounds.Clamp(negative ? -magnitude : magnitude);
}

// What a paste may insert at `position`: the digits of the clipboard text (full-width ones
// narrowed; blanks, separators and anything else dropped), with a leading minus kept only where a
// minus may stand (at the start of a field that has none yet). Nothing when no digit is left, so
// the paste is refused.
inline std::optional<std::wstring> CleanPastedNumeral(std::wstring_view pasted, bool atStart,
                                                      bool fieldHasMinus) {
    std::wstring digits;
    bool minus = false;
    for (const wchar_t raw : pasted) {
        const wchar_t c = NarrowDigit(raw);
        if (c >= L'0' && c <= L'9') {
            digits.push_back(c);
        } else if ((c == L'-' || c == L'－') && digits.empty()) {
            minus = true;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    if (minus && atStart && !fieldHasMinus) {
        digits.insert(digits.begin(), L'-');
    }
    return digits;
}

// Whether a typed character may enter the field: digits anywhere, a minus only at the start of a
// field that has none (or whose minus the typing replaces).
inline bool AcceptsTypedCharacter(wchar_t c, bool atStart, bool fieldHasMinus) {
    c = NarrowDigit(c);
    if (c >= L'0' && c <= L'9') {
        return true;
    }
    return (c == L'-' || c == L'－') && atStart && !fieldHasMinus;
}

// One press of an up (+1) or down (-1) button; in 64 bits, so that a step at a bound of the
// int range stays at the bound.
inline int StepNumeral(int value, int direction, int step, const NumeralBounds& bounds) {
    return bounds.Clamp(std::int64_t{value} + std::int64_t{direction} * step);
}

} // namespace miravo
