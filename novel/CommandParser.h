#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The script language as the editor reads it: line kinds, command words and the word split that
// file collection uses. Lines are Shift-JIS; every scan steps over double-byte characters whole.
// Nothing here rejects a line: whatever the author types stays as typed.
namespace miravo {

// The 29 commands in upper case, then the two text markers ";" and "@".
inline constexpr std::size_t kKeywordCount = 31;
extern const std::array<std::string_view, kKeywordCount> kCommandKeywords;

// True when the first byte is "." (a line that starts with a blank is story text).
bool IsCommandLine(std::string_view line);

// The text up to the first space (the whole line when it has none), without surrounding blanks.
std::string CommandWord(std::string_view line);

// The command word is in the keyword list, compared without regard to letter case.
bool IsKnownCommand(std::string_view line);
bool IsKeyword(std::string_view word);

// Words separated by a space, tab or comma (spaces after a separator are skipped; a separator
// right after another gives an empty word). A double-quoted part is copied without its quotes,
// separators inside it included, and the word goes on after the closing quote; an unterminated
// quote runs to the end of the line. A line whose last byte is an opening quote keeps the word
// in progress (so `.SoundPlay abc"` gives ".SoundPlay", "abc"): a typed file name is never
// dropped silently from file collection. An empty line gives no words.
std::vector<std::string> SplitCommandWords(std::string_view line);

// The line without its single-byte "@" and ";" markers; double-byte characters stay whole even
// when their trail byte has the value of a marker.
std::string StripTextMarkers(std::string_view line);

} // namespace miravo
