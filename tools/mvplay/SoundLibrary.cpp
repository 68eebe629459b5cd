#include "tools/mvplay/SoundLibrary.h"

namespace mvplay {

CSoundLibrary::~CSoundLibrary() {
    if (module_)
        FreeLibrary(module_);
}

bool CSoundLibrary::Load(const std::string& path, std::string& error) {
    module_ = LoadLibraryA(path.c_str());
    if (!module_) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    bool ok = true;
    auto resolve = [&](auto& entry, const char* name) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(
            reinterpret_cast<void*>(GetProcAddress(module_, name)));
        if (!entry && ok) {
            error = path + " has no export " + name;
            ok = false;
        }
    };
    resolve(GetRevision, "MVSoundGetRevision");
    resolve(Initialize, "MVSoundInitialize");
    resolve(Finalize, "MVSoundFinalize");
    resolve(SetErrorHandler, "MVSoundSetErrorHandler");
    resolve(Play, "MVSoundPlay");
    resolve(PlayFromFilePartition, "MVSoundPlayFromFilePartition");
    resolve(Stop, "MVSoundStop");
    resolve(FadeOut, "MVSoundFadeOut");
    resolve(IsPlaying, "MVSoundIsPlaying");
    resolve(SetLooping, "MVSoundSetLooping");
    resolve(SetVolume, "MVSoundSetVolume");
    return ok;
}

namespace {

constexpr const char* kWindowClass = "MiravoMvplayWindow";

} // namespace

CHiddenWindow::CHiddenWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kWindowClass, "mvplay", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
}

CHiddenWindow::~CHiddenWindow() {
    if (window_)
        DestroyWindow(window_);
    UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
}

void CHiddenWindow::PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string ProgramFolder() {
    char path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, DWORD(sizeof path));
    std::string folder(path, length);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

} // namespace mvplay
