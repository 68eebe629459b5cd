#include "editor/shell/MVSound.h"

#include "editor/shell/UserInteraction.h"
#include "novel/ShiftJis.h"

#include <cstdio>
#include <string>

namespace miravo {

namespace {

void ShowError(IUserInteraction& ui, UiText text, UiText caption) {
    MessageRequest request;
    request.text = std::move(text);
    request.caption = std::move(caption);
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Error;
    ui.ShowMessage(request);
}

// The engine and LoadLibraryA take strings in the system's ANSI code page; the editor's strings
// are Shift-JIS. On a Japanese system they are the same bytes.
std::string ToAnsiCodePage(std::string_view shiftJis) {
    if (GetACP() == 932)
        return std::string(shiftJis);
    std::u16string wide = sjis::ToUtf16(shiftJis);
    if (wide.empty())
        return {};
    const wchar_t* text = reinterpret_cast<const wchar_t*>(wide.c_str());
    int length =
        WideCharToMultiByte(CP_ACP, 0, text, int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(std::size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, int(wide.size()), ansi.data(), length, nullptr, nullptr);
    return ansi;
}

} // namespace

TMVSoundEngine::TMVSoundEngine(HWND window, std::string_view libraryPath, IUserInteraction& ui)
    : window_(window) {
    if (!Load(libraryPath, ui)) {
        library_.reset();
        return;
    }
    // An engine that cannot open its device stays loaded but inactive, without a message: the
    // editor simply has no preview sound.
    active_ = initialize_(window_) != 0;
}

TMVSoundEngine::~TMVSoundEngine() {
    if (active_)
        finalize_();
    library_.reset();
}

bool TMVSoundEngine::Load(std::string_view libraryPath, IUserInteraction& ui) {
    library_.reset(LoadLibraryA(ToAnsiCodePage(libraryPath).c_str()));
    if (!library_) {
        ShowError(ui, "MVSound をロードできません.", "Error");
        return false;
    }
    if (!Resolve("MVSoundGetRevision", getRevision_, ui))
        return false;
    const int revision = getRevision_();
    if (revision != mvsound::kRequiredRevision) {
        char text[256];
        std::snprintf(text, sizeof text,
                      "対応していないサウンドエンジン(MVSound)がロードされました.\r\n"
                      "(要求リビジョン = %d, ロードされたDLLのリビジョン = %d)",
                      mvsound::kRequiredRevision, revision);
        ShowError(ui, text, "Error");
        return false;
    }
    return Resolve("MVSoundInitialize", initialize_, ui) &&
           Resolve("MVSoundFinalize", finalize_, ui) && Resolve("MVSoundPlay", play_, ui) &&
           Resolve("MVSoundPlayFromFilePartition", playFromFilePartition_, ui) &&
           Resolve("MVSoundSetLooping", setLooping_, ui) &&
           Resolve("MVSoundSetVolume", setVolume_, ui) && Resolve("MVSoundStop", stop_, ui) &&
           Resolve("MVSoundFadeOut", fadeOut_, ui) && Resolve("MVSoundIsPlaying", isPlaying_, ui);
}

template <class Function>
bool TMVSoundEngine::Resolve(const char* name, Function& function, IUserInteraction& ui) {
    FARPROC address = GetProcAddress(library_.get(), name);
    if (!address) {
        ShowError(ui, UiText("関数 ") + name + "() をインポートできません.",
                  "MVSound ロードエラー");
        return false;
    }
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    return true;
}

void TMVSoundEngine::Play(std::string_view trackName, std::string_view path, int fadeInTime) {
    if (active_)
        play_(ToAnsiCodePage(trackName).c_str(), ToAnsiCodePage(path).c_str(), fadeInTime);
}

void TMVSoundEngine::Stop(std::string_view trackName) {
    if (active_)
        stop_(ToAnsiCodePage(trackName).c_str());
}

} // namespace miravo
