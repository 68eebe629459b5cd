#pragma once

#include "runtime/ScriptPlayer.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The player's save file (".mvb"): the counters carried over between plays and the bookmark
// the reader saved, as UTF-8 text lines with every name in hexadecimal (names are Shift-JIS).
//   MiravoSave 1
//   carry <value> <name>                       each CarryOver counter
//   bookmark <item> <line> <offset>            the rest only with a bookmark
//   counter <value> <name>
//   background <file> | fill <r> <g> <b> <opacity> | character <v> <h> <name> <file>
//   window <index> <hidden> <link index> | font <face> <size> <colour> | bgm <file> | midi <file>
//   end
// The file comes from outside: a line that does not read exactly as above makes the whole file
// damaged, reported and ignored, never trusted in part.
namespace miravo::runtime {

struct Bookmark {
    std::string item; // Shift-JIS
    std::size_t line = 0;
    std::size_t offset = 0;
    std::vector<std::pair<std::string, std::int32_t>> counters;
    SceneState scene;
};

struct SaveData {
    std::vector<std::pair<std::string, std::int32_t>> carried;
    std::optional<Bookmark> bookmark;
};

inline constexpr std::size_t kMaxSaveFileBytes = 1 << 20;

std::string WriteSaveData(const SaveData& data);
// Nothing when the text is not a save file of this form.
std::optional<SaveData> ReadSaveData(std::string_view text);

// The save file at `path`: nothing read when there is none; `damaged` when there is one that
// cannot be read or is not a save file (the play then goes on without it).
SaveData LoadSaveFile(const std::filesystem::path& path, bool& damaged);
// Written atomically: a failed write leaves the old file. Raises the file error.
void StoreSaveFile(const std::filesystem::path& path, const SaveData& data);

// From and back to a play.
SaveData SaveDataOf(const ScriptPlayer& player, const CNovelModel& model, bool withBookmark);
// Sets the carried counters; with `resume` and a bookmark whose item still exists, also the
// play's counters and scene and resumes there. False when there was nothing to resume.
bool ApplySaveData(const SaveData& data, ScriptPlayer& player, const CNovelModel& model,
                   bool resume);

} // namespace miravo::runtime
