#pragma once

#include "sound/ComPtr.h"
#include "sound/SoundBuffer.h"
#include "vintara/Win32.h"

#include <dsound.h>

#include <string>

namespace vintara {

// The process's DirectSound object and its primary buffer, which plays (silence) all the time
// the device is initialized so that the mixer runs continuously.
class CDXSound : public ISoundDevice, public CNonCopyable {
public:
    CDXSound();
    ~CDXSound() override { Finalize(); }

    // On failure the reason goes to the diagnostic log and nothing is held.
    virtual bool Initialize();
    virtual void Finalize();
    // Lets go of DirectSound without releasing it, for an unload under the loader lock:
    // releasing the device waits for DirectSound's mixing thread, whose end needs that lock.
    void Abandon();
    virtual IDirectSound* GetDirectSound() const { return directSound_.Get(); }
    virtual IDirectSoundBuffer* GetPrimaryBuffer() const { return primary_.Get(); }
    // The setters take effect at the next Initialize.
    virtual void SetWindow(HWND window) { window_ = window; }
    virtual void SetChannels(int channels) { format_.nChannels = WORD(channels); }
    virtual void SetSampleRate(int rate) { format_.nSamplesPerSec = DWORD(rate); }
    virtual void SetBitsPerSample(int bits) { format_.wBitsPerSample = WORD(bits); }
    virtual bool IsInitialized() const { return initialized_; }
    // Why the last Initialize failed (ANSI), empty after a success.
    const std::string& Failure() const { return failure_; }
    // Static sounds then ask for software mixing.
    virtual void SetSoftwareBuffers(bool software) { softwareBuffers_ = software; }
    bool UsesSoftwareBuffers() const override { return softwareBuffers_; }

    std::unique_ptr<ISoundBuffer> CreateSoundBuffer(const SoundBufferDesc& desc) override;

private:
    bool Fail(const char* messageUtf8);

    TComPtr<IDirectSound> directSound_;
    TComPtr<IDirectSoundBuffer> primary_;
    bool initialized_ = false;
    bool softwareBuffers_ = false;
    WAVEFORMATEX format_{};
    HWND window_ = nullptr;
    std::string failure_;
};

} // namespace vintara
