// Writes or checks recent files with Japanese names in a settings file, so that a script can do
// each under a different system code page:
//   IniCodePageProbe write FOLDER    writes the recent files and the saved version
//   IniCodePageProbe check FOLDER    exits 0 when they read back exactly
#include "editor/shell/RecentFiles.h"
#include "editor/shell/SettingsIniFile.h"
#include "vintara/Win32.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

using namespace miravo;

namespace {

const std::vector<std::u16string> kPaths = {
    u"C:\\ノベル\\雪の降る街.mve",
    u"C:\\作品集\\表現と構成\\ソ能予十.mve", // trail bytes 0x5C in Shift-JIS
    u"D:\\Café\\简体\\story.mve",            // not in code page 932 either
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const std::wstring mode = argv[1];
    IniProfileFile file(SettingsFilePath(argv[2]));
    std::printf("code page %u\n", GetACP());
    if (mode == L"write") {
        RecentFiles files;
        for (auto it = kPaths.rbegin(); it != kPaths.rend(); ++it)
            files.Add(*it);
        WriteSavedVersion(file);
        WriteRecentFiles(file, files);
        return 0;
    }
    if (mode == L"check") {
        RecentFiles files;
        ReadRecentFiles(file, files);
        if (ReadFirstRunFlag(file) || files.Paths() != kPaths) {
            std::printf("read back %zu paths, first run %d\n", files.Count(),
                        int(ReadFirstRunFlag(file)));
            return 1;
        }
        std::printf("all %zu paths read back\n", files.Count());
        return 0;
    }
    return 2;
}
