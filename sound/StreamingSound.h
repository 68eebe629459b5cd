#pragma once

#include "sound/CriticalSection.h"
#include "sound/Signal.h"
#include "sound/Sound.h"
#include "sound/SoundReader.h"
#include "sound/StreamRing.h"
#include "sound/Thread.h"

#include <atomic>
#include <memory>

namespace vintara {

// Plays a sound of any length through a buffer of about two seconds used as a ring of 16
// segments. A refill thread decodes into each segment once the play cursor has left it; the
// same thread loops (rewinding the decoder) and stops a non-looping sound once its last byte has
// played. Fades run on a second, short-lived thread.
//
// Threads: the caller's (every operation), the refill thread while playing, the fade thread
// while fading. The lock orders refills against Rewind and against releasing the buffer,
// decoder and stream; both threads are joined before anything they use is released.
class CStreamingSound : public CSound {
public:
    explicit CStreamingSound(std::uint32_t creationFlags);
    ~CStreamingSound() override;

    // Replaces everything the sound held; works on its own clone of `stream`. On failure the
    // sound is left without a buffer.
    void Create(ISoundDevice& device, IStream& stream) override;
    // Starts from the decoder's current position; the ring is filled before this returns, so
    // IsPlaying() is true at once.
    void Play() override;
    virtual void Rewind();
    virtual void FadeIn(int milliseconds);
    // During a fade-in: from the volume reached, to silence, then stopped. Ignored during a
    // fade-out.
    virtual void FadeOut(int milliseconds);
    // Ends a running fade at this volume (a fade-out then no longer stops the sound).
    void SetVolumeRaw(int attenuation) override;

    bool IsFading() const { return fading_; }
    // Only when the library unloads, after its threads have run their last instruction in it:
    // the sound's threads are let go without waiting, so that destroying it waits for none.
    void ForgetEndedThreads();

private:
    void Cleanup();
    void EndRefillThread();
    void EndFadeThread();
    void RefillLoop();
    bool RefillPassedSegments();
    bool RefillSegment();
    // False when the buffer stays lost after a bounded number of attempts.
    bool RestoreIfLost();
    void StartFade(int start, int end, int milliseconds, bool stopAfter);
    void FadeLoop();

    ISoundDevice* device_ = nullptr;
    SoundBufferDesc desc_;
    CCriticalSection lock_;
    std::unique_ptr<IStream> stream_;
    std::unique_ptr<ISoundReader> decoder_;
    CStreamRing ring_;
    CThread refillThread_;
    std::atomic<bool> quitRefill_{false};

    std::atomic<bool> fading_{false};
    CThread fadeThread_;
    // Written before the fade thread starts, read by it only.
    int fadeStart_ = 0;
    int fadeEnd_ = 0;
    int fadeDuration_ = 0;
    bool stopAfterFade_ = false;
    CSignal fadeSignal_;
};

} // namespace vintara
