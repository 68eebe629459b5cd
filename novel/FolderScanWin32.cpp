// Folder listing on Windows: the wide interfaces, so that every name comes back as it is.
#include "novel/FileAccessPlatform.h"

#include <windows.h>

namespace miravo::platform {

bool ReadFolderEntries(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    const std::wstring pattern = (folder / L"*").wstring();
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        FolderEntry entry;
        entry.name.assign(name.begin(), name.end());
        entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

ShortNameAnswer CompareShortName(const std::filesystem::path& file) {
    const std::wstring path = file.wstring();
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return ShortNameAnswer::Unknown;
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return ShortNameAnswer::Unknown;
    shortPath.resize(length);
    const std::wstring shortName = std::filesystem::path(shortPath).filename().wstring();
    const std::wstring longName = file.filename().wstring();
    // Only the letter case may differ: a short name is compared without it.
    return CompareStringOrdinal(shortName.c_str(), int(shortName.size()), longName.c_str(),
                                int(longName.size()), TRUE) == CSTR_EQUAL
               ? ShortNameAnswer::SameAsName
               : ShortNameAnswer::Differs;
}

} // namespace miravo::platform
