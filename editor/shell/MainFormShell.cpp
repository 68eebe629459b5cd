#include "editor/shell/MainForm.h"
#include "editor/shell/UserInteraction.h"

#include <shellapi.h>

// What the main window starts outside itself: the association tool and the help viewer.
namespace miravo {

namespace {
constexpr const wchar_t* kAssociatorFileName = L"MiravoAssociator.exe";
constexpr const wchar_t* kHelpFileName = L"MiravoHelp.chm";
} // namespace

// The tool is waited for (the windows keep repainting meanwhile, but take no input), so that
// success is reported only when it succeeded: its exit code, not its start, decides. Its manifest
// asks for administrator rights, so the shell shows the elevation prompt first; a refused prompt
// fails the start (ERROR_CANCELLED) and is reported as the failure it is.
void TMainForm::StartAssociator() {
    const std::wstring folder = state_.programFolder.wstring();
    const std::wstring file = (state_.programFolder / kAssociatorFileName).wstring();
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = Handle();
    execute.lpFile = file.c_str();
    execute.lpParameters = L"/assoc:mve";
    execute.lpDirectory = folder.c_str();
    execute.nShow = SW_SHOW;
    DWORD exitCode = 1;
    if (ShellExecuteExW(&execute) && execute.hProcess != nullptr) {
        const ProcessHandle process(execute.hProcess);
        EnableWindow(Handle(), FALSE);
        while (MsgWaitForMultipleObjects(1, &execute.hProcess, FALSE, INFINITE, QS_ALLINPUT) ==
               WAIT_OBJECT_0 + 1) {
            if (!application_.ProcessMessages()) {
                break;
            }
        }
        EnableWindow(Handle(), TRUE);
        if (WaitForSingleObject(process.Get(), 0) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process.Get(), &exitCode)) {
            exitCode = 1;
        }
    }
    if (exitCode == 0) {
        ui_.ShowMessage({.text = "ファイルの関連付けが完了しました.",
                         .caption = "ファイルの関連付け",
                         .icon = MessageIcon::Information});
    } else {
        ui_.ShowMessage({.text = "関連付けの設定に失敗しました.",
                         .caption = "エラー",
                         .icon = MessageIcon::Error});
    }
}

void TMainForm::Contents1Click() {
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    if (!helpLibrary_) {
        helpLibrary_.Reset(LoadLibraryW(L"hhctrl.ocx"));
    }
    const auto htmlHelp = helpLibrary_ ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(
                                             GetProcAddress(helpLibrary_.Get(), "HtmlHelpW")))
                                       : nullptr;
    const std::filesystem::path help = state_.programFolder / kHelpFileName;
    // HH_DISPLAY_TOPIC with no topic: the help file's start page.
    if (htmlHelp == nullptr || htmlHelp(GetDesktopWindow(), help.c_str(), 0, 0) == nullptr) {
        ui_.ShowMessage({.text = "ヘルプ (MiravoHelp.chm) を表示できません.",
                         .caption = "エラー",
                         .icon = MessageIcon::Error});
    }
}

} // namespace miravo
