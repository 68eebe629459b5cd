// MiravoAssociator: registers the novel file type for the editor beside it. Windowless; the
// editor starts it with "/assoc:mve". Exit code 0 after a registration, 1 otherwise.
#include "associator/Association.h"
#include "associator/ParamStr.h"
#include "vintara/Text.h"

namespace {

std::string OwnProgramPath() {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

void ShowBox(const std::string& text, const std::string& caption, UINT icon) {
    MessageBoxW(nullptr, vintara::AnsiToWide(text).c_str(), vintara::AnsiToWide(caption).c_str(),
                MB_OK | icon);
}

int Run() {
    using namespace vintara;
    if (ParamCount() > 1 && LowerCaseAnsi(ParamStr(1)) == "/assoc:mve") {
        CRegistry registry;
        RegisterNovelFileType(registry, EditorPathBeside(OwnProgramPath()));
        return 0;
    }
    ShowBox(Utf8ToAnsi("このプログラムは単体で起動できません.\nMiravo から実行してください."),
            "MiravoAssociator", MB_ICONINFORMATION);
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return Run();
    } catch (const vintara::EException& error) {
        ShowBox(vintara::ErrorBoxText(error), vintara::ProgramTitle(OwnProgramPath()),
                MB_ICONERROR);
        return 1;
    }
}
