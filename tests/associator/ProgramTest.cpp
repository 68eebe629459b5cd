// Runs MiravoAssociator.exe as the editor or a user would and checks what it leaves behind:
// the registry entries, its exit code, and the message box it shows (found among the child's
// windows, read, and answered by pressing its button).
#include "vintara/Text.h"
#include "vintara/Win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The build hands us a Unix path; Wine sees the Unix root as drive Z:.
std::string ToolPath() {
    std::string path = ASSOCIATOR_EXE;
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/')
                c = '\\';
    }
    return path;
}

std::wstring Wide(const char* utf8) { return vintara::AnsiToWide(vintara::Utf8ToAnsi(utf8)); }

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& arguments) {
        std::string commandLine =
            "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info))
            return;
        process_.reset(info.hProcess);
        CloseHandle(info.hThread);
        id_ = info.dwProcessId;
    }
    bool Started() const { return bool(process_); }
    DWORD Id() const { return id_; }
    // The exit code, or STILL_ACTIVE when it did not end within `milliseconds`.
    DWORD Wait(DWORD milliseconds) {
        if (WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 99);
            return STILL_ACTIVE;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// A message box of the given process: the first visible dialog-class top-level window.
HWND FindMessageBox(DWORD processId, DWORD timeoutMs) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    for (DWORD waited = 0; waited < timeoutMs && !search.found; waited += 50) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (owner == s->processId && IsWindowVisible(window) &&
                    std::wstring(className) == L"#32770") {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    return search.found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::string ClassesRootDefault(const char* key) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "<missing>";
    return value;
}

void ClearEntries() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".mve");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Miravo_mve");
}

std::string EditorBeside(const std::string& toolPath) {
    return toolPath.substr(0, toolPath.rfind('\\') + 1) + "Miravo.exe";
}

void ExpectFourEntries(const std::string& editorPath) {
    EXPECT_EQ(ClassesRootDefault(".mve"), "Miravo_mve");
    EXPECT_EQ(ClassesRootDefault("Miravo_mve"), vintara::Utf8ToAnsi("Miravo 編集用ファイル"));
    EXPECT_EQ(ClassesRootDefault("Miravo_mve\\DefaultIcon"), editorPath + ",1");
    EXPECT_EQ(ClassesRootDefault("Miravo_mve\\Shell\\open\\command"),
              "\"" + editorPath + "\" \"%1\"");
}

} // namespace

TEST(Associator, RegistersTheFourEntriesSilently) {
    ClearEntries();
    ChildProcess tool(ToolPath(), "/assoc:mve");
    ASSERT_TRUE(tool.Started());
    EXPECT_EQ(tool.Wait(30000), 0u);
    ExpectFourEntries(EditorBeside(ToolPath()));
}

TEST(Associator, AcceptsUpperCaseAndGivesTheSameValuesTwice) {
    ClearEntries();
    for (int run = 0; run < 2; ++run) {
        ChildProcess tool(ToolPath(), "/ASSOC:MVE ignored");
        ASSERT_TRUE(tool.Started());
        EXPECT_EQ(tool.Wait(30000), 0u) << "run " << run;
        ExpectFourEntries(EditorBeside(ToolPath()));
    }
}

TEST(Associator, InARootFolderRegistersASingleBackslash) {
    const char rootCopy[] = "C:\\MiravoAssociator.exe";
    ASSERT_TRUE(CopyFileA(ToolPath().c_str(), rootCopy, FALSE));
    ChildProcess tool(rootCopy, "/assoc:mve");
    ASSERT_TRUE(tool.Started());
    EXPECT_EQ(tool.Wait(30000), 0u);
    EXPECT_EQ(ClassesRootDefault("Miravo_mve\\DefaultIcon"), "C:\\Miravo.exe,1");
    EXPECT_EQ(ClassesRootDefault("Miravo_mve\\Shell\\open\\command"), "\"C:\\Miravo.exe\" \"%1\"");
    DeleteFileA(rootCopy);
}

class AssociatorNotice : public testing::TestWithParam<const char*> {};

TEST_P(AssociatorNotice, OtherArgumentsShowTheNoticeAndExitWithOne) {
    ClearEntries();
    ChildProcess tool(ToolPath(), GetParam());
    ASSERT_TRUE(tool.Started());
    HWND box = FindMessageBox(tool.Id(), 20000);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(WindowText(box), L"MiravoAssociator");
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
              Wide("このプログラムは単体で起動できません.\nMiravo から実行してください."));
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(tool.Wait(20000), 1u);
    EXPECT_EQ(ClassesRootDefault(".mve"), "<missing>");
}
INSTANTIATE_TEST_SUITE_P(Arguments, AssociatorNotice,
                         testing::Values("", "/assoc:mvex", "/help /assoc:mve", "assoc:mve"));

TEST(Associator, VersionBlockDescribesTheTool) {
    const std::wstring path = vintara::AnsiToWide(ToolPath());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    auto value = [&](const wchar_t* name) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        wchar_t* text = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            return std::wstring();
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"FileDescription"), Wide("Miravo ファイルの関連付け"));
    EXPECT_EQ(value(L"OriginalFilename"), L"MiravoAssociator.exe");
}

// Writing HKEY_CLASSES_ROOT needs an administrator: the tool's manifest asks for one, so that the
// shell elevates it (Wine runs everything elevated and shows nothing).
TEST(Associator, ManifestRequiresAdministrator) {
    const std::wstring path = vintara::AnsiToWide(ToolPath());
    const HMODULE tool = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(tool, nullptr);
    const HRSRC found = FindResourceW(tool, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const auto* data = static_cast<const char*>(LockResource(LoadResource(tool, found)));
    const std::string manifest(data, SizeofResource(tool, found));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos) << manifest;
    FreeLibrary(tool);
}
