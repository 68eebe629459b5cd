#pragma once

#include "sound/WaveFormat.h"
#include "vintara/Object.h"

#include <cstdint>
#include <memory>

namespace vintara {

// What sounds need of the device and of one secondary buffer. The DirectSound implementation
// is CDXSound; the portable sounds and the tests see only these interfaces.

// DSBCAPS_* flags, with the values of <dsound.h> (checked there).
enum : std::uint32_t {
    kBufferPrimary = 0x00000001,
    kBufferLocSoftware = 0x00000008,
    kBufferCtrlVolume = 0x00000080,
    kBufferCtrlPositionNotify = 0x00000100,
    kBufferGlobalFocus = 0x00008000,
    kBufferLocDefer = 0x00040000,
};

struct SoundBufferDesc {
    std::uint32_t flags = 0;
    int bytes = 0;
    const WaveFormat* format = nullptr;
};

enum class BufferResult { Ok, Lost, Failed };

struct LockedRegion {
    void* first = nullptr;
    int firstBytes = 0;
    void* second = nullptr; // only when a lock wraps around the end of the buffer
    int secondBytes = 0;
};

// Calls may come from several threads at once (the caller, a refill thread, a fade thread).
// Failures are written to the diagnostic log by the implementation.
class ISoundBuffer : public IInterface {
public:
    virtual BufferResult Play(bool looping) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsLost() = 0;
    virtual BufferResult Restore() = 0;
    virtual void SetCurrentPosition(int position) = 0;
    virtual bool GetCurrentPosition(int& playCursor) = 0;
    virtual BufferResult Lock(int offset, int bytes, bool entireBuffer, LockedRegion& region) = 0;
    virtual void Unlock(const LockedRegion& region) = 0;
    virtual void SetVolume(int attenuation) = 0;
    virtual int GetVolume() = 0; // 0 after a failure
    virtual void SetPan(int pan) = 0;
    virtual int GetPan() = 0;

    // Position notifications of a streaming buffer: notification i (0 <= i < segments) when
    // the play cursor passes the last byte of segment i, notification `segments` when the
    // buffer stops. Each is remembered until a wait takes it. False when they cannot be set.
    virtual bool SetNotifications(int segmentBytes, int segments) = 0;
    // Blocks until a notification is pending and takes it (the lowest index first), or until
    // `timeoutMilliseconds` have passed (kWaitForever: no limit). kWaitTimedOut after the time,
    // kWaitFailed when waiting failed.
    static constexpr int kWaitForever = -1;
    static constexpr int kWaitTimedOut = -2;
    static constexpr int kWaitFailed = -1;
    virtual int WaitForNotification(int timeoutMilliseconds) = 0;
    // Makes a pending stop notification, so that a waiting thread returns.
    virtual void WakeWaiter() = 0;
    // Forgets pending notifications (before a start, when nobody waits).
    virtual void ClearNotifications() = 0;
};

class ISoundDevice : public IInterface {
public:
    // Null when the buffer cannot be created (the reason goes to the diagnostic log).
    virtual std::unique_ptr<ISoundBuffer> CreateSoundBuffer(const SoundBufferDesc& desc) = 0;
    virtual bool UsesSoftwareBuffers() const = 0;
};

} // namespace vintara
