#pragma once

#include "sound/ComPtr.h"
#include "sound/SoundBuffer.h"
#include "sound/Win32Handle.h"
#include "vintara/Win32.h"

#include <dsound.h>

#include <vector>

namespace vintara {

// A DirectSound secondary buffer, and for a streaming buffer its notification events.
class CDirectSoundBuffer : public ISoundBuffer, public CNonCopyable {
public:
    explicit CDirectSoundBuffer(TComPtr<IDirectSoundBuffer> buffer);
    ~CDirectSoundBuffer() override;

    BufferResult Play(bool looping) override;
    void Stop() override;
    bool IsPlaying() override;
    bool IsLost() override;
    BufferResult Restore() override;
    void SetCurrentPosition(int position) override;
    bool GetCurrentPosition(int& playCursor) override;
    BufferResult Lock(int offset, int bytes, bool entireBuffer, LockedRegion& region) override;
    void Unlock(const LockedRegion& region) override;
    void SetVolume(int attenuation) override;
    int GetVolume() override;
    void SetPan(int pan) override;
    int GetPan() override;
    bool SetNotifications(int segmentBytes, int segments) override;
    int WaitForNotification(int timeoutMilliseconds) override;
    void WakeWaiter() override;
    void ClearNotifications() override;

    IDirectSoundBuffer* Get() const { return buffer_.Get(); }

private:
    DWORD Status();

    TComPtr<IDirectSoundBuffer> buffer_;
    std::vector<CHandle> events_; // one per segment, then the stop event
    std::vector<HANDLE> waitHandles_;
};

// Writes "DirectX Error: 0x%08X" with the unit and line to the diagnostic log.
void LogDirectXFailure(HRESULT result, const char* unit, int line);
#define VINTARA_LOG_DIRECTX_FAILURE(result) ::vintara::LogDirectXFailure(result, __FILE__, __LINE__)

} // namespace vintara
