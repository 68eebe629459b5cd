#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Where the reserved words of the script language stand in a line, for the editor's colouring.
namespace miravo {

struct KeywordRun {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const KeywordRun&) const = default;
};

// A word is a run of ASCII letters, digits, "_" and "." (the dot belongs to the word, so that
// ".GRAPHLOAD" is one word); ";" and "@" are words of their own. Every other byte, and every
// double-byte character taken whole, separates words, so a trail byte with the value of "@" is
// never a marker. A word is a keyword when it is in the keyword list, whatever its letter case.
std::vector<KeywordRun> KeywordRuns(std::string_view line);

} // namespace miravo
