#include "editor/shell/SettingsIniFile.h"
#include "TempFolder.h"
#include "editor/shell/RecentFiles.h"
#include "editor/shell/WindowLayout.h"
#include "novel/EditorError.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace miravo;
using miravo::test::TempFolder;

namespace {

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Japanese, and characters that code page 932 does not have: an ANSI ini file would lose them.
const std::u16string kJapanesePath = u"C:\\ノベル\\雪の降る街\\第1話.mve";
const std::u16string kBeyondShiftJis = u"D:\\Café Ünïcode\\简体 한국어\\story.mve";

} // namespace

TEST(SettingsIniFile, ValuesRoundTripAndAbsentKeysAreTellable) {
    TempFolder folder;
    IniProfileFile file(SettingsFilePath(folder.Path()));
    EXPECT_FALSE(file.ReadString("Version", "SavedVersion").has_value());
    file.WriteString("Version", "SavedVersion", u"970");
    file.WriteString("RecentFiles", "1", u"");
    file.WriteString("RecentFiles", "2", kJapanesePath);
    file.WriteString("RecentFiles", "3", kBeyondShiftJis);

    IniProfileFile again(folder.File(L"MiravoEditor.ini"));
    EXPECT_EQ(again.ReadString("version", "savedversion"), u"970");
    EXPECT_EQ(again.ReadString("RecentFiles", "1"), u""); // present but empty
    EXPECT_EQ(again.ReadString("RecentFiles", "2"), kJapanesePath);
    EXPECT_EQ(again.ReadString("RecentFiles", "3"), kBeyondShiftJis);
    EXPECT_FALSE(again.ReadString("RecentFiles", "4").has_value());

    again.EraseSection("RecentFiles");
    EXPECT_FALSE(again.ReadString("RecentFiles", "2").has_value());
    EXPECT_EQ(again.ReadString("Version", "SavedVersion"), u"970");
}

TEST(SettingsIniFile, ANewFileIsWrittenAsUtf16) {
    TempFolder folder;
    IniProfileFile file(SettingsFilePath(folder.Path() + L"\\"));
    file.WriteString("RecentFiles", "1", kJapanesePath);
    std::string bytes = FileBytes(folder.File(L"MiravoEditor.ini"));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    // The section name in UTF-16LE.
    EXPECT_NE(bytes.find(std::string("[\0R\0e\0c\0e\0n\0t\0", 14)), std::string::npos);
}

TEST(SettingsIniFile, AnAnsiFileOfAnEarlierRunIsConvertedKeepingItsValues) {
    TempFolder folder;
    const std::wstring path = folder.File(L"MiravoEditor.ini");
    // Written the way the profile functions write a new file under code page 932.
    WriteBytes(path, "[RecentFiles]\r\n1=C:\\\x83\x6d\x83\x78\x83\x8b\\\x95\x5c.mve\r\n"
                     "[Version]\r\nSavedVersion=970\r\n");
    IniProfileFile file(path);
    EXPECT_EQ(file.ReadString("RecentFiles", "1"), u"C:\\ノベル\\表.mve");
    file.WriteString("RecentFiles", "2", kBeyondShiftJis);

    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xFE");
    IniProfileFile again(path);
    EXPECT_EQ(again.ReadString("RecentFiles", "1"), u"C:\\ノベル\\表.mve");
    EXPECT_EQ(again.ReadString("RecentFiles", "2"), kBeyondShiftJis);
    EXPECT_EQ(again.ReadString("Version", "SavedVersion"), u"970");
}

TEST(SettingsIniFile, LongValuesAreReadWhole) {
    TempFolder folder;
    IniProfileFile file(SettingsFilePath(folder.Path()));
    std::u16string longPath = u"C:\\";
    for (int i = 0; i < 300; ++i)
        longPath += u"長い名前\\";
    longPath += u"end.mve";
    file.WriteString("RecentFiles", "1", longPath);
    EXPECT_EQ(IniProfileFile(file.Path()).ReadString("RecentFiles", "1"), longPath);
}

TEST(SettingsIniFile, AFileThatCannotBeWrittenRaisesTheWriteError) {
    // Read-only attributes do not stop the administrator that tests run as, so the file is
    // made impossible to create instead: its folder is missing, or a folder has its name.
    TempFolder folder;
    IniProfileFile missingFolder(folder.File(L"missing\\MiravoEditor.ini"));
    try {
        missingFolder.WriteString("Version", "SavedVersion", u"970");
        FAIL() << "no error";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.Message(), "設定ファイル MiravoEditor.ini に書き込めません.");
    }
    CreateDirectoryW(folder.File(L"MiravoEditor.ini").c_str(), nullptr);
    IniProfileFile folderInTheWay(SettingsFilePath(folder.Path()));
    EXPECT_THROW(folderInTheWay.WriteString("Version", "SavedVersion", u"970"), FileWriteError);
    EXPECT_FALSE(folderInTheWay.ReadString("Version", "SavedVersion").has_value());
    RemoveDirectoryW(folder.File(L"MiravoEditor.ini").c_str());
}

TEST(SettingsIniFile, ASettingsFileWithTwelveRecentFilesKeepsTenAfterARestart) {
    TempFolder folder;
    RecentFiles files;
    for (int i = 1; i <= 12; ++i) {
        std::string number = std::to_string(i);
        files.Add(u"C:\\作品\\第" + std::u16string(number.begin(), number.end()) + u"話.mve");
    }
    {
        IniProfileFile file(SettingsFilePath(folder.Path()));
        WriteSavedVersion(file);
        WriteRecentFiles(file, files);
    }
    IniProfileFile file(SettingsFilePath(folder.Path()));
    EXPECT_FALSE(ReadFirstRunFlag(file));
    RecentFiles restored;
    ReadRecentFiles(file, restored);
    EXPECT_EQ(restored.Paths(),
              std::vector<std::u16string>(files.Paths().begin(), files.Paths().begin() + 10));
    EXPECT_FALSE(file.ReadString("RecentFiles", "11").has_value());
}
