#include "editor/shell/EditorApplication.h"
#include "editor/shell/Win32UserInteraction.h"
#include "editor/widgets/ScriptEditControl.h"
#include "editor/widgets/Window.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

// The one optional argument: a novel file to open.
std::filesystem::path CommandLineFile() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::filesystem::path file;
    if (arguments != nullptr && count > 1) {
        file = arguments[1];
    }
    LocalFree(arguments);
    return file;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    miravo::Win32UserInteraction ui;
    try {
        // The script editing control's window class, for the whole run.
        miravo::ScriptEditControl::RegisterClasses();
        struct ReleaseScintilla {
            ~ReleaseScintilla() { miravo::ScriptEditControl::ReleaseResources(); }
        } release;
        miravo::EditorApplication editor(
            ui, {.commandLineFile = CommandLineFile(), .showCommand = showCommand});
        ui.SetOwner(editor.MainForm().Handle());
        return editor.Run();
    } catch (...) {
        MessageBoxW(nullptr, miravo::ExceptionText(std::current_exception()).c_str(), L"Miravo",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
