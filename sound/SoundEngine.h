#pragma once

#include "sound/DXSound.h"
#include "sound/MVSound.h"
#include "sound/SoundTrackList.h"
#include "vintara/Stream.h"

#include <functional>
#include <memory>
#include <string>

namespace vintara {

// What stands behind the exported functions: the device, the track list and the host's error
// handler. MVSoundFinalize clears the tracks first, then finalizes the device.
// Nothing thrown inside leaves these functions: failures become 0 results and a report to the
// handler.
class CSoundEngine : public CNonCopyable {
public:
    int Initialize(HWND window);
    void Finalize();
    MVSoundErrorHandler SetErrorHandler(MVSoundErrorHandler handler);
    int Play(const char* track, const char* path, int fadeIn);
    int PlayFromFilePartition(const char* track, const char* path, int fadeIn, int offset,
                              int length);
    void Stop(const char* track);
    void FadeOut(const char* track, int milliseconds);
    int IsPlaying(const char* track);
    void SetLooping(const char* track, int looping);
    void SetVolume(const char* track, int volume);
    // The library is unloading without MVSoundFinalize: releases every track without waiting
    // for a thread, and lets go of DirectSound unreleased. Only then is the engine destroyed.
    void ReleaseForUnload();

private:
    template <class Result, class Body> Result Guarded(Result onFailure, Body body);
    void Report(const std::string& report);
    int PlayOnTrack(const std::string& track, const std::function<std::unique_ptr<IStream>()>& open,
                    int fadeIn);

    CDXSound device_;
    CSoundTrackList tracks_;
    MVSoundErrorHandler handler_ = nullptr;
};

} // namespace vintara
