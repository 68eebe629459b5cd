#pragma once

#include "vintara/Win32.h"

#include <string>

namespace miravo::test {

// A fresh folder under the temp folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        for (unsigned n = GetTickCount(), tries = 0; tries < 1000; ++n, ++tries) {
            path_ = std::wstring(temp) + L"miravo-services-" + std::to_wstring(n);
            if (CreateDirectoryW(path_.c_str(), nullptr))
                break;
        }
    }
    ~TempFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") {
                    SetFileAttributesW((path_ + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW((path_ + L"\\" + name).c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

} // namespace miravo::test
