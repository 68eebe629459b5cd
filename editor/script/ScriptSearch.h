#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The search routine of the item text editor, over Shift-JIS text (lines joined by CR LF).
namespace miravo {

// The option set shared by the search and replace dialogs and the window.
struct SearchOptions {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
    bool noMatchZenkaku = false; // full-width and half-width forms match each other
    bool replace = false;
    bool replaceAll = false;
    bool replaceConfirm = false;
    bool includeCrLf = false; // line breaks in the text are skipped while matching
    bool includeSpace = false; // blanks (half- and full-width spaces, tabs) likewise
    bool operator==(const SearchOptions&) const = default;
};

struct TextMatch {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextMatch&) const = default;
};

// Finds `pattern` in `text` from the selection: downwards the first match that starts at or
// after the selection's end, upwards the last one that starts before the selection's start.
// Each step therefore moves on, also when a replacement holds the search text. A pattern that
// is empty, or holds only what the options skip, matches nothing.
//
// Characters are compared after folding: ASCII and full-width Latin letters without regard to
// case unless `matchCase`; with `noMatchZenkaku` full-width ASCII forms and the ideographic
// space become their half-width forms, and half-width katakana (with a following voiced or
// semi-voiced mark taken into the character) become full-width katakana. With `wholeWord` the
// match may neither start nor end inside a word: a word is a run of one character class, the
// classes being letters and digits (ASCII and full-width, and "_"), hiragana, katakana
// (full- and half-width, with the prolonged sound mark), and kanji (with "々" and "〆");
// anything else (blanks, punctuation, symbols) never forms a word.
std::optional<TextMatch> SearchText(std::string_view text, std::size_t selectionStart,
                                    std::size_t selectionLength, std::string_view pattern,
                                    const SearchOptions& options);

// A dialog's history: the text moves to the top, an equal entry goes, at most 32 are kept.
inline constexpr std::size_t kSearchHistorySize = 32;
template <class Text> void PushHistory(std::vector<Text>& history, const Text& text) {
    std::erase(history, text);
    history.insert(history.begin(), text);
    if (history.size() > kSearchHistorySize) {
        history.resize(kSearchHistorySize);
    }
}

} // namespace miravo
