#pragma once

#include "novel/FileAccessPlatform.h"

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The novel-folder file list of the file-choosing dialogs: every file of the novel folder and
// its subfolders that matches one of the dialog's patterns, as a path relative to the novel
// folder with backslashes, sorted without regard to letter case. Entries are UTF-16, as the
// list controls show them; a script takes them through the Shift-JIS helper.
namespace miravo {

enum class FileNameCase {
    // The file-name part is lower-cased when the name already is a valid short (8.3) name, so
    // that `BG01.JPG` shows as `bg01.jpg`; other names and every folder part keep their case.
    LowerShortNames,
    // The file-name part is always lower-cased (the text-window dialog's list).
    LowerAll,
};

// Searches `novelFolder` and all its subfolders for each pattern ("*" and "?", letter case
// ignored) in turn; a file matching two patterns comes twice. Folders that cannot be read are
// skipped; linked folders are not entered, so a link loop cannot hang the dialog.
std::vector<std::u16string>
ListNovelFolderFiles(const std::filesystem::path& novelFolder,
                     std::initializer_list<std::u16string_view> patterns,
                     FileNameCase nameCase = FileNameCase::LowerShortNames);

// The text-window dialog's list: "*.bmp" then "*.png", file names lower-cased.
std::vector<std::u16string> ListTextWindowPictures(const std::filesystem::path& novelFolder);

// Where the file-name part of an entry starts (after its last backslash, 0 without one).
std::size_t FileNameStart(std::u16string_view entry);

// The pieces, exposed for their tests.
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern);
// At most eight characters, a dot and at most three, of those a short name may hold; a
// character outside ASCII counts with its Shift-JIS bytes and must exist in code page 932.
bool IsValidShortName(std::u16string_view name);
bool LessIgnoringCase(std::u16string_view a, std::u16string_view b);

struct FoundFile {
    std::u16string entry;
    std::size_t nameStart = 0;
    platform::ShortNameAnswer shortName = platform::ShortNameAnswer::Unknown;
};
// Lower-cases the names that need no short alias. Once the file system has shown that it gives
// aliases (one file's short name differs), its answer decides; where it has shown none, the
// 8.3 rule does (volumes without short names, and platforms without them).
void LowerCaseShortNames(std::vector<FoundFile>& files);

} // namespace miravo
