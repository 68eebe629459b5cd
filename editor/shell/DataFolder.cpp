#include "editor/shell/DataFolder.h"

#include "editor/shell/Settings.h"

#include <windows.h>

#include <shlobj.h>
#include <string>

namespace miravo {

bool FolderIsWritable(const std::filesystem::path& folder) {
    const std::wstring probe =
        (folder / (L"~miravo-write-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp"))
            .wstring();
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    DeleteFileW(probe.c_str()); // in case the file system kept it
    return true;
}

std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& localAppData) {
    if (localAppData.empty() || FolderIsWritable(programFolder)) {
        return programFolder;
    }
    const std::filesystem::path folder = localAppData / L"Miravo";
    std::error_code ignored; // a folder that cannot be made shows up as the settings' write error
    std::filesystem::create_directories(folder, ignored);
    const std::u16string_view name = kSettingsFileName;
    const std::filesystem::path settingsName(std::wstring(name.begin(), name.end()));
    // Fails without harm when the folder already has its own settings file.
    CopyFileW((programFolder / settingsName).c_str(), (folder / settingsName).c_str(), TRUE);
    return folder;
}

std::filesystem::path EditorDataFolder(const std::filesystem::path& programFolder) {
    PWSTR path = nullptr;
    std::filesystem::path localAppData;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path))) {
        localAppData = path;
    }
    CoTaskMemFree(path);
    return ChooseDataFolder(programFolder, localAppData);
}

} // namespace miravo
