#pragma once

#include "novel/NovelData.h"

#include <filesystem>
#include <string>
#include <vector>

namespace miravo::test {

// A data file a novel names: who names it (for messages) and its path relative to the novel
// folder, as written (backslashes, Shift-JIS).
struct NovelReference {
    std::string where;
    std::string relativePath;
};

// Every file the header, the text windows and the scripts name: the header's pictures and
// sounds, text-window pictures, and the file word of .GraphLoad, .CharSet, .MidiPlay,
// .SoundPlay and .BGMPlay lines.
std::vector<NovelReference> ReferencedFiles(const CNovelModel& model);

// Problems of a generated novel folder, in words; empty when the novel loads and holds together:
// links lead to items, conditions and counter commands name counters, window commands name text
// windows, and every referenced file exists.
std::vector<std::string> CheckSampleFolder(const std::filesystem::path& folder, CNovelModel& model);

} // namespace miravo::test
