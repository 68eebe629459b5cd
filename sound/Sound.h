#pragma once

#include "sound/SoundBuffer.h"
#include "vintara/Object.h"
#include "vintara/Stream.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace vintara {

// A playable sound: one secondary buffer and what does not depend on how it is filled.
// Without a buffer every operation does nothing and every query answers false or 0.
class CSound : public CNonCopyable {
public:
    explicit CSound(std::uint32_t creationFlags) : creationFlags_(creationFlags) {}

    virtual void Create(ISoundDevice& device, IStream& stream) = 0;
    virtual void Play() = 0;
    virtual bool IsPlaying();
    virtual void Stop();
    // Read by a streaming sound's refill thread when the data runs out.
    virtual void SetLooping(bool looping) { looping_ = looping; }
    virtual bool IsLooping() const { return looping_; }
    virtual void SetVolumeRaw(int attenuation);
    virtual int GetVolumeRaw();
    // On the library's volume scale (VolumeScale.h).
    virtual void SetVolume(int volume);
    virtual int GetVolume();
    virtual void SetPan(int pan);
    virtual int GetPan();

    bool HasBuffer() const { return buffer_ != nullptr; }

protected:
    std::unique_ptr<ISoundBuffer> buffer_;
    std::uint32_t creationFlags_;
    std::atomic<bool> looping_{false};
};

} // namespace vintara
