#include "sound/StreamingSound.h"

#include "sound/VolumeScale.h"
#include "vintara/DiagnosticLog.h"
#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace vintara {
namespace {

constexpr int kFadeTickMilliseconds = 30;
constexpr int kRestoreRetryMilliseconds = 10;
// About half a second of attempts: a buffer that stays lost longer is not waited for.
constexpr int kRestoreAttempts = 50;

void LogFailure(const char* utf8, int line) {
    DiagnosticLog().Write(FormatFailureLine(Utf8ToAnsi(utf8), __FILE__, line));
}

} // namespace

CStreamingSound::CStreamingSound(std::uint32_t creationFlags) : CSound(creationFlags) {}

CStreamingSound::~CStreamingSound() { Cleanup(); }

void CStreamingSound::EndFadeThread() {
    if (!fadeThread_.Joinable())
        return;
    fadeSignal_.Set();
    fadeThread_.Join();
    fadeSignal_.Reset();
}

void CStreamingSound::EndRefillThread() {
    if (!refillThread_.Joinable())
        return;
    quitRefill_ = true;
    if (buffer_)
        buffer_->WakeWaiter();
    refillThread_.Join();
    quitRefill_ = false;
}

void CStreamingSound::ForgetEndedThreads() {
    fadeThread_.Forget();
    refillThread_.Forget();
    fading_ = false;
}

void CStreamingSound::Cleanup() {
    EndFadeThread();
    if (buffer_)
        buffer_->Stop();
    EndRefillThread();
    std::lock_guard lock(lock_);
    buffer_.reset();
    decoder_.reset();
    stream_.reset();
    ring_.Attach(nullptr, WaveFormat{}, 0);
    device_ = nullptr;
}

void CStreamingSound::Create(ISoundDevice& device, IStream& stream) {
    Cleanup();
    try {
        device_ = &device;
        stream_.reset(stream.Clone());
        decoder_ = CreateSoundReader(*stream_);
        const WaveFormat& format = *decoder_->GetFormat();
        desc_ = SoundBufferDesc{creationFlags_ | kBufferCtrlPositionNotify | kBufferLocSoftware,
                                CStreamRing::RingBytesFor(format), &format};
        // A format without a usable block size or rate cannot make a ring; DirectSound would
        // refuse it too.
        if (desc_.bytes > 0)
            buffer_ = device.CreateSoundBuffer(desc_);
        if (!buffer_)
            throw EReadError(*this, Utf8ToAnsi("サウンドバッファの作成に失敗しました."));
        if (!buffer_->SetNotifications(desc_.bytes / CStreamRing::kSegments,
                                       CStreamRing::kSegments))
            throw EReadError(*this, Utf8ToAnsi("DirectSoundNotify の作成に失敗しました."));
        ring_.Attach(decoder_.get(), format, desc_.bytes);
    } catch (...) {
        // A buffer without notifications would play its ring forever: nothing stays.
        Cleanup();
        throw;
    }
}

void CStreamingSound::Play() {
    if (!buffer_ || IsPlaying())
        return;
    EndRefillThread();
    {
        std::lock_guard lock(lock_);
        if (!RestoreIfLost())
            throw EReadError(*this, Utf8ToAnsi("サウンドバッファの復元に失敗しました."));
        ring_.Restart();
        for (int i = 0; i < CStreamRing::kSegments; ++i)
            RefillSegment();
        buffer_->ClearNotifications();
        buffer_->SetCurrentPosition(0);
        buffer_->Play(true);
    }
    if (!refillThread_.Start([this] { RefillLoop(); }, CThread::Priority::Highest)) {
        buffer_->Stop();
        throw EReadError(*this, Utf8ToAnsi("スレッドの作成に失敗しました."));
    }
}

void CStreamingSound::RefillLoop() {
    for (;;) {
        // Once the data has run out, the end is checked when it is due, not only when the next
        // segment notification happens to come.
        int timeout = ISoundBuffer::kWaitForever;
        {
            std::lock_guard lock(lock_);
            const int untilPlayed = ring_.MillisecondsUntilPlayed();
            if (untilPlayed >= 0)
                timeout = std::max(untilPlayed, 1);
        }
        const int index = buffer_->WaitForNotification(timeout);
        if (quitRefill_ || index == CStreamRing::kSegments)
            return;
        if (index == ISoundBuffer::kWaitFailed) {
            // Waiting failed: fall back to looking at the cursor now and then.
            std::this_thread::sleep_for(std::chrono::milliseconds(kRestoreRetryMilliseconds));
            if (quitRefill_)
                return;
        }
        std::lock_guard lock(lock_);
        if (RefillPassedSegments()) {
            buffer_->Stop();
            ring_.ClearEnd();
            return;
        }
    }
}

// Refills every segment the play cursor has left since the last refill, so that a late or
// merged notification (the wait reports the lowest pending index first) cannot leave a segment
// behind; a notification that arrives before the cursor has left anything refills nothing.
bool CStreamingSound::RefillPassedSegments() {
    int cursor = 0;
    if (!buffer_->GetCurrentPosition(cursor))
        return false;
    const int cursorSegment = cursor / ring_.SegmentBytes();
    for (int i = 0; i < CStreamRing::kSegments && ring_.WriteSegment() != cursorSegment; ++i) {
        if (!RefillSegment())
            break;
    }
    return ring_.Played(cursor);
}

bool CStreamingSound::RefillSegment() {
    if (!buffer_ || !decoder_ || !RestoreIfLost())
        return false;
    LockedRegion region;
    if (buffer_->Lock(ring_.WriteOffset(), ring_.SegmentBytes(), false, region) != BufferResult::Ok)
        return false;
    if (region.second) {
        // Segments never straddle the end of the ring.
        LogFailure("サウンドバッファのロック状態が異常", __LINE__);
        buffer_->Unlock(region);
        return false;
    }
    ring_.Fill(static_cast<unsigned char*>(region.first), region.firstBytes, IsLooping());
    buffer_->Unlock(region);
    return true;
}

bool CStreamingSound::RestoreIfLost() {
    if (!buffer_->IsLost())
        return true;
    for (int attempt = 1; attempt <= kRestoreAttempts && !quitRefill_; ++attempt) {
        if (buffer_->Restore() != BufferResult::Lost)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kRestoreRetryMilliseconds));
    }
    LogFailure("サウンドバッファを復元できません", __LINE__);
    return false;
}

void CStreamingSound::Rewind() {
    if (!buffer_)
        return;
    if (IsPlaying()) {
        Stop();
        {
            std::lock_guard lock(lock_);
            ring_.Rewind();
        }
        Play();
    } else {
        std::lock_guard lock(lock_);
        ring_.Rewind();
    }
}

void CStreamingSound::FadeIn(int milliseconds) {
    if (!buffer_ || fading_)
        return;
    const int target = GetVolumeRaw();
    SetVolumeRaw(kSilentVolume);
    Play();
    StartFade(kSilentVolume, target, milliseconds, false);
}

void CStreamingSound::FadeOut(int milliseconds) {
    if (!buffer_ || !IsPlaying())
        return;
    if (fading_) {
        // A second fade-out changes nothing; a fade-in gives way, so that a sound faded out
        // while it was still fading in ends like any other.
        if (stopAfterFade_)
            return;
        EndFadeThread();
    }
    StartFade(GetVolumeRaw(), kSilentVolume, milliseconds, true);
}

void CStreamingSound::SetVolumeRaw(int attenuation) {
    // The host's volume ends a running fade where it is: the fade must not overwrite it.
    EndFadeThread();
    CSound::SetVolumeRaw(attenuation);
}

void CStreamingSound::StartFade(int start, int end, int milliseconds, bool stopAfter) {
    if (!buffer_ || fading_)
        return;
    EndFadeThread();
    fadeStart_ = start;
    fadeEnd_ = end;
    fadeDuration_ = milliseconds;
    stopAfterFade_ = stopAfter;
    // Set here, not by the thread: a second fade request right after this one must already
    // see the fade running.
    fading_ = true;
    if (!fadeThread_.Start([this] { FadeLoop(); }, CThread::Priority::AboveNormal)) {
        fading_ = false;
        throw EReadError(*this, Utf8ToAnsi("スレッドの作成に失敗しました."));
    }
}

// Sets the volume with CSound's own setter: the overriding one ends the fade.
void CStreamingSound::FadeLoop() {
    CSound::SetVolumeRaw(fadeStart_);
    // The ramp runs on the volume scale, between the two attenuations mapped onto it.
    const long long a = AttenuationToVolume(fadeStart_);
    const long long b = AttenuationToVolume(fadeEnd_);
    const auto t0 = std::chrono::steady_clock::now();
    if (fadeDuration_ > 0) {
        for (;;) {
            if (fadeSignal_.WaitFor(kFadeTickMilliseconds)) {
                // Ended from outside: the volume stays where the fade had it.
                fading_ = false;
                return;
            }
            const long long elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - t0)
                                          .count();
            if (elapsed > fadeDuration_)
                break;
            if (elapsed > 1000 && !IsPlaying())
                break;
            // The scale's round trip can land a unit past an end; keep every step between
            // them so the ramp never turns back at its last step.
            const int step = VolumeToAttenuation(int(a + elapsed * (b - a) / fadeDuration_));
            CSound::SetVolumeRaw(
                std::clamp(step, std::min(fadeStart_, fadeEnd_), std::max(fadeStart_, fadeEnd_)));
        }
    }
    CSound::SetVolumeRaw(fadeEnd_);
    if (stopAfterFade_)
        Stop();
    fading_ = false;
}

} // namespace vintara
