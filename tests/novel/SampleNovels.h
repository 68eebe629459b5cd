#pragma once

#include "novel/NovelData.h"

#include <string>

namespace miravo::test {

// Shift-JIS from a UTF-8 literal.
std::string Sj(const char* utf8);

// Every field of every block away from its default: reserved fields, Japanese names, texts with
// double-byte characters whose trail byte is "@" or "\", conditional links, negative numbers.
void FillFullNovel(CNovelModel& model);

// `itemCount` items with scripts of `linesPerItem` realistic lines, links and counters.
void FillLargeNovel(CNovelModel& model, int itemCount, int linesPerItem);

// The header as an older format version stores it: the version 9 header cut to that version's
// size with the version number patched in, followed by the blocks that version holds.
std::string OldFormatFile(CNovelModel& model, int version);

} // namespace miravo::test
