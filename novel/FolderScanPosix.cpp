// Folder listing on POSIX systems (tests, tools): names are UTF-8; there are no short names.
#include "novel/FileAccessPlatform.h"

#include "novel/ShiftJis.h"

#include <system_error>

namespace miravo::platform {

bool ReadFolderEntries(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error)
        return false;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        FolderEntry entry;
        entry.name = sjis::Utf8ToUtf16(name);
        entry.isLink = it->is_symlink(error);
        entry.isFolder = it->is_directory(error);
        entries.push_back(std::move(entry));
    }
    return !error;
}

ShortNameAnswer CompareShortName(const std::filesystem::path&) { return ShortNameAnswer::Unknown; }

} // namespace miravo::platform
