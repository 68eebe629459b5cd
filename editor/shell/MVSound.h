#pragma once

#include "editor/shell/MVSoundInterface.h"

#include <memory>
#include <string_view>
#include <type_traits>

namespace miravo {

class IUserInteraction;

// The editor's binding of the sound engine MVSound.mvx, loaded at run time from the program
// folder. One instance lives from start-up (after the windows are created) to the end of the
// message loop. Whether it is active is decided once, when it is created: every failure leaves it
// inactive, after at most one message, and then Play and Stop do nothing, so the editor runs on
// without sound.
class TMVSoundEngine {
public:
    // Create: loads the library at libraryPath (program folder + "MVSound.mvx", Shift-JIS),
    // checks its revision, resolves the ten entry points in order and initializes the engine with
    // the main window. Messages go through ui, which must outlive the call only.
    TMVSoundEngine(HWND window, std::string_view libraryPath, IUserInteraction& ui);
    // Destroy: finalizes the engine when active, then unloads the library.
    ~TMVSoundEngine();
    TMVSoundEngine(const TMVSoundEngine&) = delete;
    TMVSoundEngine& operator=(const TMVSoundEngine&) = delete;

    bool Active() const { return active_; }
    HWND Window() const { return window_; }

    // The track name and path are Shift-JIS; the result of the engine is not looked at (a file it
    // cannot play is simply not heard).
    void Play(std::string_view trackName, std::string_view path, int fadeInTime);
    void Stop(std::string_view trackName);

private:
    bool Load(std::string_view libraryPath, IUserInteraction& ui);
    template <class Function>
    bool Resolve(const char* name, Function& function, IUserInteraction& ui);

    struct LibraryFreer {
        void operator()(HMODULE library) const { FreeLibrary(library); }
    };
    using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

    HWND window_ = nullptr;
    bool active_ = false;
    LibraryHandle library_;
    mvsound::GetRevisionFunction getRevision_ = nullptr;
    mvsound::InitializeFunction initialize_ = nullptr;
    mvsound::FinalizeFunction finalize_ = nullptr;
    mvsound::PlayFunction play_ = nullptr;
    mvsound::PlayFromFilePartitionFunction playFromFilePartition_ = nullptr;
    mvsound::SetLoopingFunction setLooping_ = nullptr;
    mvsound::SetVolumeFunction setVolume_ = nullptr;
    mvsound::StopFunction stop_ = nullptr;
    mvsound::FadeOutFunction fadeOut_ = nullptr;
    mvsound::IsPlayingFunction isPlaying_ = nullptr;
};

// The library's file name, looked for in the program folder.
inline constexpr std::string_view kSoundEngineFileName = "MVSound.mvx";

} // namespace miravo
