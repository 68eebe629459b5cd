#include "editor/script/ScriptSearch.h"

#include "novel/ShiftJis.h"

#include <array>

namespace miravo {

namespace {

enum class CharClass { Other, Alnum, Hiragana, Katakana, Kanji };

// One character of the text after folding, and the bytes it came from.
struct Unit {
    char32_t code = 0;
    std::size_t start = 0;
    std::size_t end = 0;
    CharClass cls = CharClass::Other;
    bool skipped = false;
};

// Half-width katakana U+FF61..U+FF9F as full-width characters.
constexpr std::array<char16_t, 63> kHalfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr char16_t kHalfVoiced = 0xFF9E;
constexpr char16_t kHalfSemiVoiced = 0xFF9F;

bool TakesVoicedMark(char16_t kana) {
    return (kana >= 0x30AB && kana <= 0x30C8 && kana != 0x30C3) ||
           (kana >= 0x30CF && kana <= 0x30DB) || kana == 0x30A6;
}
bool TakesSemiVoicedMark(char16_t kana) { return kana >= 0x30CF && kana <= 0x30DB; }

CharClass ClassOf(char32_t c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
        (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) ||
        (c >= 0xFF41 && c <= 0xFF5A) || c == 0xFF3F) {
        return CharClass::Alnum;
    }
    if (c >= 0x3041 && c <= 0x309F && c != 0x309B && c != 0x309C) {
        return CharClass::Hiragana;
    }
    if ((c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC || (c >= 0xFF66 && c <= 0xFF9F)) {
        return CharClass::Katakana;
    }
    if ((c >= 0x4E00 && c <= 0x9FFF) || c == 0x3005 || c == 0x3006) {
        return CharClass::Kanji;
    }
    return CharClass::Other;
}

char32_t Fold(char32_t c, const SearchOptions& options) {
    if (options.noMatchZenkaku) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            c = c - 0xFF01 + 0x21;
        } else if (c == 0x3000) {
            c = ' ';
        }
    }
    if (!options.matchCase) {
        if (c >= 'A' && c <= 'Z') {
            c = c - 'A' + 'a';
        } else if (c >= 0xFF21 && c <= 0xFF3A) {
            c = c - 0xFF21 + 0xFF41;
        }
    }
    return c;
}

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == 0x3000; }

std::vector<Unit> Units(std::string_view text, const SearchOptions& options) {
    std::vector<Unit> units;
    units.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = sjis::CharLength(text, i);
        const std::u16string wide = sjis::ToUtf16(text.substr(i, length));
        char32_t c = wide.empty() ? 0 : wide.front();
        std::size_t end = i + length;
        CharClass cls = ClassOf(c);
        if (options.noMatchZenkaku && c >= 0xFF61 && c <= 0xFF9F) {
            // A half-width kana takes a following voiced or semi-voiced mark into itself.
            char16_t full = kHalfWidthKana[c - 0xFF61];
            if (end < text.size()) {
                const std::u16string next = sjis::ToUtf16(text.substr(end, 1));
                const char16_t mark = next.empty() ? 0 : next.front();
                if ((mark == kHalfVoiced && TakesVoicedMark(full)) ||
                    (mark == kHalfSemiVoiced && TakesSemiVoicedMark(full))) {
                    full = full == 0x30A6 ? char16_t{0x30F4}
                                          : static_cast<char16_t>(full +
                                                                  (mark == kHalfVoiced ? 1 : 2));
                    end += 1;
                }
            }
            c = full;
            cls = ClassOf(c);
        }
        const bool skipped = (options.includeCrLf && (c == '\r' || c == '\n')) ||
                             (options.includeSpace && IsBlank(c));
        units.push_back({Fold(c, options), i, end, cls, skipped});
        i = end;
    }
    return units;
}

bool MatchesAt(const std::vector<Unit>& text, const std::vector<std::size_t>& searchable,
               std::size_t at, const std::vector<Unit>& pattern) {
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (text[searchable[at + k]].code != pattern[k].code) {
            return false;
        }
    }
    return true;
}

bool IsWholeWord(const std::vector<Unit>& text, std::size_t first, std::size_t last) {
    const CharClass head = text[first].cls;
    const CharClass tail = text[last].cls;
    const bool joinsBefore = first > 0 && head != CharClass::Other && text[first - 1].cls == head;
    const bool joinsAfter =
        last + 1 < text.size() && tail != CharClass::Other && text[last + 1].cls == tail;
    return !joinsBefore && !joinsAfter;
}

} // namespace

std::optional<TextMatch> SearchText(std::string_view text, std::size_t selectionStart,
                                    std::size_t selectionLength, std::string_view pattern,
                                    const SearchOptions& options) {
    std::vector<Unit> wanted = Units(pattern, options);
    std::erase_if(wanted, [](const Unit& unit) { return unit.skipped; });
    if (wanted.empty()) {
        return std::nullopt;
    }
    const std::vector<Unit> units = Units(text, options);
    std::vector<std::size_t> searchable; // indices of the units that take part
    searchable.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (!units[i].skipped) {
            searchable.push_back(i);
        }
    }
    if (searchable.size() < wanted.size()) {
        return std::nullopt;
    }
    const std::size_t last = searchable.size() - wanted.size();
    const auto tryAt = [&](std::size_t at) -> std::optional<TextMatch> {
        if (!MatchesAt(units, searchable, at, wanted)) {
            return std::nullopt;
        }
        const std::size_t first = searchable[at];
        const std::size_t final = searchable[at + wanted.size() - 1];
        if (options.wholeWord && !IsWholeWord(units, first, final)) {
            return std::nullopt;
        }
        return TextMatch{units[first].start, units[final].end - units[first].start};
    };
    if (options.down) {
        const std::size_t from = selectionStart + selectionLength;
        for (std::size_t at = 0; at <= last; ++at) {
            if (units[searchable[at]].start < from) {
                continue;
            }
            if (auto match = tryAt(at)) {
                return match;
            }
        }
    } else {
        for (std::size_t at = last + 1; at-- > 0;) {
            if (units[searchable[at]].start >= selectionStart) {
                continue;
            }
            if (auto match = tryAt(at)) {
                return match;
            }
        }
    }
    return std::nullopt;
}

} // namespace miravo
