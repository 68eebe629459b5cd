// MiravoRun.exe: the player runtime. Started by a playtest with the novel file and its folder,
// or as a built program that carries its novel in the package appended to itself.
#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/ShiftJis.h"
#include "runtime/AutoPlay.h"
#include "runtime/NovelSource.h"
#include "runtime/PlayerWindow.h"
#include "runtime/RuntimeReport.h"
#include "runtime/SaveFile.h"

#include <windows.h>

#include <vector>

namespace {

using namespace miravo;

std::filesystem::path OwnPath() {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length < name.size())
            return std::filesystem::path(std::wstring(name.data(), length));
        name.resize(name.size() * 2);
    }
}

std::string CommandLineUtf8() {
    const wchar_t* line = GetCommandLineW();
    return sjis::Utf16ToUtf8(reinterpret_cast<const char16_t*>(line));
}

void ShowError(const std::string& message) {
    const std::u16string text = sjis::Utf8ToUtf16(message);
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()), L"MiravoRun",
                MB_OK | MB_ICONERROR);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const RuntimeArguments arguments = ParseRuntimeArguments(CommandLineUtf8());
    const auto files = MakeDiskFileSystem();
    runtime::LoadedNovel novel;
    try {
        runtime::LoadNovel(arguments, OwnPath(), *files, novel);
    } catch (const std::exception& error) {
        if (arguments.reportFile.empty()) {
            ShowError(error.what());
        } else {
            try {
                WriteFileAtomically(PathFromUtf8(arguments.reportFile),
                                    runtime::FailureReport(error.what()));
            } catch (const std::exception&) {
            }
        }
        return 1;
    }
    if (!arguments.reportFile.empty()) {
        try {
            const std::vector<runtime::DataFile> located = runtime::LocateDataFiles(novel, *files);
            WriteFileAtomically(PathFromUtf8(arguments.reportFile),
                                runtime::RuntimeReport(arguments, novel, located));
            return 0;
        } catch (const std::exception&) {
            return 1;
        }
    }
    // Without screenshots to take, "/auto" needs no window: the play runs straight through.
    if (arguments.autoPlay && arguments.shots.empty()) {
        const auto savePath = runtime::SaveFilePath(novel, arguments);
        bool damaged = false;
        runtime::SaveData saves = runtime::LoadSaveFile(savePath, damaged);
        runtime::AutoRun run = runtime::RunAutomatically(novel.model, arguments.autoChoices,
                                                         runtime::DefaultRandomSource(), &saves);
        if (damaged)
            run.trace = "Save: damaged " + PathToUtf8(savePath) + "\n" + run.trace;
        try {
            runtime::StoreSaveFile(savePath, saves);
        } catch (const std::exception&) {
        }
        if (!arguments.traceFile.empty()) {
            try {
                WriteFileAtomically(PathFromUtf8(arguments.traceFile), run.trace);
            } catch (const std::exception&) {
                return 1;
            }
        }
        return run.ended ? 0 : 1;
    }
    runtime::PlayerWindow window(instance, novel, *files, arguments);
    if (!window.Created())
        return 1;
    const int code = window.Run(showCommand);
    if (!arguments.traceFile.empty()) {
        try {
            WriteFileAtomically(PathFromUtf8(arguments.traceFile), window.Trace().Text());
        } catch (const std::exception&) {
            return 1;
        }
    }
    return code;
}
