#pragma once

#include "novel/LoadNotices.h"
#include "novel/NovelData.h"

#include <filesystem>
#include <string>
#include <string_view>

// The whole-file operations on the novel, called by the main window (open, save, save-as), the
// playtest and the build, and by mvtool. They touch nothing of the editor state: current file
// name, modified flag and recent files stay the caller's business.
namespace miravo {

enum class NovelLoadResult {
    Loaded,     // the model holds the file
    Rejected,   // wrong magic or too new: the refusal was noticed; the caller resets to a new novel
    PartlyRead, // the file ends early, is damaged past its header or holds more than a table's
                // limit: the model keeps what was read before that, and the error was noticed
                // (NoticeKind::ReadError). The caller keeps it untitled, so that a save never
                // overwrites the damaged file.
};

// Before calling: the item text editor's StoreToItem, so that the file gets the latest text.
// Writes the whole novel as version 9 (the header's Version becomes 9) into a temporary file in
// the target's folder and replaces the target only when everything was written: a failed save
// raises FileWriteError and leaves the previous file as it was.
void SaveNovelFile(CNovelModel& model, const std::filesystem::path& path);

// The caller has reset the model to a new novel first. Gives the old-format notice for versions
// below 9, the wrong-magic and too-new refusals (then returns Rejected) and a read error or
// limit message past the header (then returns PartlyRead) to `notices`. The header is checked
// before the rest of the file is read. Raises FileOpenError when the file cannot be opened,
// FileReadError when reading it fails or it is too short for its header (nothing is kept).
NovelLoadResult LoadNovelFile(CNovelModel& model, const std::filesystem::path& path,
                              ILoadNotices& notices);

// An alpha-1 file (.mvw): header defaults, chart size, items. The caller then takes the path
// with the extension ".mve" as the current file name. It has no header to recognise it by, so
// any error is raised: FileOpenError, FileReadError, EditorError with a limit message.
void LoadAlphaFile(CNovelModel& model, const std::filesystem::path& path);

// The same operations over bytes in memory, for tests, fuzzing and mvtool.
std::string SerializeNovel(CNovelModel& model);
struct NovelReadOptions {
    // The editor's rule: a non-empty item text that does not end in an empty line gets one.
    // mvtool's JSON form turns it off so that it shows the file as it is.
    bool appendTrailingEmptyLine = true;
};
NovelLoadResult ParseNovel(CNovelModel& model, std::string_view bytes, ILoadNotices& notices,
                           const NovelReadOptions& options = {});
void ParseAlphaNovel(CNovelModel& model, std::string_view bytes);

// The message boxes of loading (UTF-8), kept here so that other tools can recognise them.
extern const char* const kWrongMagicMessage;
extern const char* const kWrongMagicCaption;
extern const char* const kOldFormatMessage;
extern const char* const kOldFormatCaption;
extern const char* const kTooNewMessage;
extern const char* const kTooNewCaption;

} // namespace miravo
