#include "editor/script/ScriptSearch.h"

#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

std::string Sjis(std::string_view utf8) { return sjis::FromUtf8(utf8); }

SearchOptions Options(std::string_view flags) {
    SearchOptions options;
    for (char flag : flags) {
        switch (flag) {
        case 'u': options.down = false; break;
        case 'c': options.matchCase = true; break;
        case 'w': options.wholeWord = true; break;
        case 'z': options.noMatchZenkaku = true; break;
        case 's': options.includeCrLf = options.includeSpace = true; break;
        default: ADD_FAILURE() << flag;
        }
    }
    return options;
}

struct SearchCase {
    const char* name;
    const char* text; // UTF-8; converted to Shift-JIS
    std::size_t selectionStart;
    std::size_t selectionLength; // bytes of the Shift-JIS text
    const char* pattern;
    const char* flags;
    int start; // byte offset of the match, -1: none
    std::size_t length;
};

// Offsets are bytes of the Shift-JIS text: a kana or kanji is two.
const SearchCase kCases[] = {
    {"downward from the caret", "abc abc", 0, 0, "abc", "", 0, 3},
    {"downward starts after the selection", "abc abc", 0, 3, "abc", "", 4, 3},
    {"upward starts before the selection", "abc abc", 4, 3, "abc", "u", 0, 3},
    {"upward finds nothing before the first", "abc abc", 0, 3, "abc", "u", -1, 0},
    {"letter case is ignored", "x ABC", 0, 0, "abc", "", 2, 3},
    {"letter case when asked", "ABC abc", 0, 0, "abc", "c", 4, 3},
    {"full-width letters ignore case", "ＡＢＣ", 0, 0, "ａｂｃ", "", 0, 6},
    {"full-width letters with case", "ＡＢＣ", 0, 0, "ａｂｃ", "c", -1, 0},
    {"full-width is not half-width by default", "ＡＢＣ", 0, 0, "abc", "", -1, 0},
    {"full-width matches half-width", "xＡＢＣ", 0, 0, "abc", "z", 1, 6},
    {"full-width digits and space", "１　２", 0, 0, "1 2", "z", 0, 6},
    {"half-width kana matches full-width", "ｶﾀｶﾅ", 0, 0, "カタカナ", "z", 0, 4},
    {"voiced half-width kana is one character", "ｶﾞｷﾞ", 0, 0, "ガギ", "z", 0, 4},
    {"semi-voiced half-width kana", "ﾊﾟﾋﾟ", 0, 0, "パピ", "z", 0, 4},
    {"half-width vu", "ｳﾞ", 0, 0, "ヴ", "z", 0, 2},
    {"a voiced kana is not its plain form", "ｶﾞ", 0, 0, "カ", "z", -1, 0},
    {"whole word among letters", "abc ab ab_", 0, 0, "ab", "w", 4, 2},
    {"whole word: kana next to kanji is a boundary", "漢字かな", 0, 0, "かな", "w", 4, 4},
    {"whole word: inside a hiragana run is not", "ひらがな", 0, 0, "がな", "w", -1, 0},
    {"whole word: katakana with prolonged mark", "データ", 0, 0, "デー", "w", -1, 0},
    {"whole word: punctuation separates", "「いぬ」", 0, 0, "いぬ", "w", 2, 4},
    {"lines and blanks are skipped", "ab\r\n c", 0, 0, "abc", "s", 0, 6},
    {"blanks in the pattern are skipped too", "abc", 0, 0, "a b", "s", 0, 2},
    {"a break is not skipped without the option", "ab\r\nc", 0, 0, "abc", "", -1, 0},
    {"empty pattern never matches", "abc", 0, 0, "", "", -1, 0},
    {"a pattern of skipped blanks never matches", "a  b", 0, 0, "  ", "s", -1, 0},
    // "ァ" is 0x83 0x40 and "ソ" 0x83 0x5C: their trail bytes are "@" and "\".
    {"trail byte @ is no marker", "ァ@", 0, 0, "@", "", 2, 1},
    {"trail byte backslash is no backslash", "ソ\\", 0, 0, "\\", "", 2, 1},
    {"a kanji is not found by its trail byte", "ソ", 0, 0, "\\", "", -1, 0},
};

TEST(ScriptSearchTest, OptionsAloneAndCombined) {
    for (const SearchCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::optional<TextMatch> match = SearchText(
            Sjis(c.text), c.selectionStart, c.selectionLength, Sjis(c.pattern), Options(c.flags));
        if (c.start < 0) {
            EXPECT_FALSE(match) << match->start;
        } else {
            ASSERT_TRUE(match);
            EXPECT_EQ(*match, (TextMatch{static_cast<std::size_t>(c.start), c.length}));
        }
    }
}

// Replacing "a" by "aa" downwards must come to an end: each search starts after the selection.
TEST(ScriptSearchTest, ReplacingWithTextThatHoldsThePatternEnds) {
    std::string text = "a a a";
    std::size_t start = 0;
    std::size_t length = 0;
    int replaced = 0;
    while (auto match = SearchText(text, start, length, "a", Options(""))) {
        text.replace(match->start, match->length, "aa");
        start = match->start + 2;
        length = 0;
        ASSERT_LT(++replaced, 10);
    }
    EXPECT_EQ(text, "aa aa aa");
    EXPECT_EQ(replaced, 3);
}

TEST(ScriptSearchTest, HistoryKeepsThirtyTwoWithTheNewestFirst) {
    std::vector<std::string> history;
    for (int i = 0; i < 40; ++i) {
        PushHistory(history, std::to_string(i));
    }
    PushHistory(history, std::string("30"));
    ASSERT_EQ(history.size(), kSearchHistorySize);
    EXPECT_EQ(history[0], "30");
    EXPECT_EQ(history[1], "39");
    EXPECT_EQ(std::count(history.begin(), history.end(), "30"), 1);
}

} // namespace
} // namespace miravo
