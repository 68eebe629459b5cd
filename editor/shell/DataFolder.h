#pragma once

#include <filesystem>

namespace miravo {

// True when a file can be created (and deleted again) in the folder. A real attempt: folder
// attributes and ACLs do not tell whether this user may write there (read-only attributes on
// folders are ignored by Windows, Program Files is locked by ACL only).
bool FolderIsWritable(const std::filesystem::path& folder);

// The folder of the settings file and the scratch file: the program folder when it is writable
// (a portable copy), otherwise localAppData\Miravo, created as needed. Then a settings file left
// in the program folder is copied there once, as the starting settings.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& localAppData);

// ChooseDataFolder with this user's local application data folder.
std::filesystem::path EditorDataFolder(const std::filesystem::path& programFolder);

} // namespace miravo
