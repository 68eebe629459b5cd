#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// File names as a novel writes them: Shift-JIS, relative to the novel folder, folders separated
// by backslashes. Every scan steps over double-byte characters whole, since "表" and "ソ" end in
// the byte of a backslash.
namespace miravo {

// Lower case as Windows makes it under code page 932: ASCII letters and the full-width Latin,
// Greek and Cyrillic capitals; every other double-byte character stays as it is.
std::string LocaleLower(std::string_view shiftJis);

// The part after the last "\" (or "/"), and the text before it including the separator.
std::string NameOfPath(std::string_view shiftJis);
std::string FolderOfPath(std::string_view shiftJis);
// The extension with its dot ("" when the file part has none); the name with `extension`
// (dot included) in place of its own, or appended when it has none.
std::string ExtensionOf(std::string_view shiftJis);
std::string WithExtension(std::string_view shiftJis, std::string_view extension);

// Why a name may not be used by a build: it must stay inside the novel folder.
enum class NameSafety {
    Safe,
    Absolute, // starts with a separator: the root of a drive, or a UNC name "\\host\share"
    Drive,    // holds a ":": a drive prefix (also drive-relative "C:x") or a stream name
    Parent,   // a ".." segment (also "..." or ". .", which Windows reads as "..")
};
NameSafety CheckNameSafety(std::string_view shiftJis);
bool IsSafeName(std::string_view shiftJis);
// The reason in words for the build log and the survey (UTF-8); empty for a safe name.
std::string NameSafetyReason(NameSafety safety);

// The file a safe relative name stands for below `folder`; the name is split at its separators,
// so that it resolves the same on Windows and POSIX.
std::filesystem::path ResolveNovelName(const std::filesystem::path& folder,
                                       std::string_view shiftJis);

} // namespace miravo
