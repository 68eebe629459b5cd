#include "novel/CommandParser.h"

#include "novel/ShiftJis.h"

namespace miravo {

const std::array<std::string_view, kKeywordCount> kCommandKeywords = {".BGMFADEOUT",
                                                                      ".BGMPLAY",
                                                                      ".BGMSTOP",
                                                                      ".CDPLAY",
                                                                      ".CDSTOP",
                                                                      ".CHARCLEAR",
                                                                      ".CHARDELETE",
                                                                      ".CHARSET",
                                                                      ".COUNTERPLUS",
                                                                      ".COUNTERRNDPLUS",
                                                                      ".COUNTERRNDSET",
                                                                      ".COUNTERSET",
                                                                      ".FONTCOLOR",
                                                                      ".FONTDEFAULT",
                                                                      ".FONTSIZE",
                                                                      ".FONTTYPE",
                                                                      ".GRAPHFILL",
                                                                      ".GRAPHLOAD",
                                                                      ".LINKWINDOWDEFAULT",
                                                                      ".LINKWINDOWSET",
                                                                      ".MIDIFADEOUT",
                                                                      ".MIDIPLAY",
                                                                      ".MIDISTOP",
                                                                      ".NEXTPAGE",
                                                                      ".SOUNDPLAY",
                                                                      ".SOUNDSTOP",
                                                                      ".WAIT",
                                                                      ".WINDOWHIDE",
                                                                      ".WINDOWSET",
                                                                      ";",
                                                                      "@"};

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }
} // namespace

bool IsCommandLine(std::string_view line) { return !line.empty() && line.front() == '.'; }

std::string CommandWord(std::string_view line) {
    std::string_view word = line.substr(0, line.find(' '));
    while (!word.empty() && IsBlank(word.front()))
        word.remove_prefix(1);
    while (!word.empty() && IsBlank(word.back()))
        word.remove_suffix(1);
    return std::string(word);
}

bool IsKeyword(std::string_view word) {
    const std::string upper = sjis::AsciiUpper(word);
    for (std::string_view keyword : kCommandKeywords) {
        if (keyword == upper)
            return true;
    }
    return false;
}

bool IsKnownCommand(std::string_view line) { return IsKeyword(CommandWord(line)); }

std::vector<std::string> SplitCommandWords(std::string_view line) {
    std::vector<std::string> words;
    if (line.empty())
        return words;
    std::string word;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (sjis::CharLength(line, i) == 2) {
            word.append(line.substr(i, 2));
            i += 2;
        } else if (IsSeparator(c)) {
            ++i;
            while (i < line.size() && line[i] == ' ')
                ++i;
            words.push_back(std::move(word));
            word.clear();
        } else if (c == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                const std::size_t length = sjis::CharLength(line, i);
                word.append(line.substr(i, length));
                i += length;
            }
            if (i < line.size())
                ++i; // the closing quote
        } else {
            word.push_back(c);
            ++i;
        }
    }
    words.push_back(std::move(word));
    return words;
}

std::string StripTextMarkers(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = sjis::CharLength(line, i);
        if (length == 1 && (line[i] == '@' || line[i] == ';')) {
            ++i;
            continue;
        }
        text.append(line.substr(i, length));
        i += length;
    }
    return text;
}

} // namespace miravo
