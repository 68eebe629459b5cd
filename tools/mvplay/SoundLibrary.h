#pragma once

#include "sound/MVSound.h"

#include <string>

namespace mvplay {

// MVSound.mvx loaded the way a host loads it: by path at run time, every export resolved by its
// plain name. Unloaded on destruction.
class CSoundLibrary {
public:
    CSoundLibrary() = default;
    CSoundLibrary(const CSoundLibrary&) = delete;
    CSoundLibrary& operator=(const CSoundLibrary&) = delete;
    ~CSoundLibrary();

    // False with `error` set when the file does not load or an export is missing.
    bool Load(const std::string& path, std::string& error);

    MVSoundGetRevisionProc GetRevision = nullptr;
    MVSoundInitializeProc Initialize = nullptr;
    MVSoundFinalizeProc Finalize = nullptr;
    MVSoundSetErrorHandlerProc SetErrorHandler = nullptr;
    MVSoundPlayProc Play = nullptr;
    MVSoundPlayFromFilePartitionProc PlayFromFilePartition = nullptr;
    MVSoundStopProc Stop = nullptr;
    MVSoundFadeOutProc FadeOut = nullptr;
    MVSoundIsPlayingProc IsPlaying = nullptr;
    MVSoundSetLoopingProc SetLooping = nullptr;
    MVSoundSetVolumeProc SetVolume = nullptr;

private:
    HMODULE module_ = nullptr;
};

// A window that is never shown, for MVSoundInitialize.
class CHiddenWindow {
public:
    CHiddenWindow();
    CHiddenWindow(const CHiddenWindow&) = delete;
    CHiddenWindow& operator=(const CHiddenWindow&) = delete;
    ~CHiddenWindow();
    HWND Handle() const { return window_; }
    // Handles whatever arrived for the window.
    void PumpMessages();

private:
    HWND window_ = nullptr;
};

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();

} // namespace mvplay
