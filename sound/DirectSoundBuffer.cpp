#include "sound/DirectSoundBuffer.h"

#include "vintara/DiagnosticLog.h"

namespace vintara {

void LogDirectXFailure(HRESULT result, const char* unit, int line) {
    DiagnosticLog().Write(FormatDirectXFailure(result, unit, line));
}

CDirectSoundBuffer::CDirectSoundBuffer(TComPtr<IDirectSoundBuffer> buffer)
    : buffer_(std::move(buffer)) {}

CDirectSoundBuffer::~CDirectSoundBuffer() {
    // DirectSound signals the events until the buffer is gone: release it first.
    buffer_.Reset();
    events_.clear();
}

BufferResult CDirectSoundBuffer::Play(bool looping) {
    const HRESULT result = buffer_->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
    if (result == DSERR_BUFFERLOST)
        return BufferResult::Lost;
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return BufferResult::Failed;
    }
    return BufferResult::Ok;
}

void CDirectSoundBuffer::Stop() {
    const HRESULT result = buffer_->Stop();
    if (FAILED(result))
        VINTARA_LOG_DIRECTX_FAILURE(result);
}

DWORD CDirectSoundBuffer::Status() {
    DWORD status = 0;
    const HRESULT result = buffer_->GetStatus(&status);
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return 0;
    }
    return status;
}

bool CDirectSoundBuffer::IsPlaying() { return (Status() & DSBSTATUS_PLAYING) != 0; }

bool CDirectSoundBuffer::IsLost() { return (Status() & DSBSTATUS_BUFFERLOST) != 0; }

BufferResult CDirectSoundBuffer::Restore() {
    const HRESULT result = buffer_->Restore();
    if (result == DSERR_BUFFERLOST)
        return BufferResult::Lost;
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return BufferResult::Failed;
    }
    return BufferResult::Ok;
}

void CDirectSoundBuffer::SetCurrentPosition(int position) {
    const HRESULT result = buffer_->SetCurrentPosition(DWORD(position));
    if (FAILED(result))
        VINTARA_LOG_DIRECTX_FAILURE(result);
}

bool CDirectSoundBuffer::GetCurrentPosition(int& playCursor) {
    DWORD play = 0;
    const HRESULT result = buffer_->GetCurrentPosition(&play, nullptr);
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return false;
    }
    playCursor = int(play);
    return true;
}

BufferResult CDirectSoundBuffer::Lock(int offset, int bytes, bool entireBuffer,
                                      LockedRegion& region) {
    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    const HRESULT result = buffer_->Lock(DWORD(offset), DWORD(bytes), &first, &firstBytes, &second,
                                         &secondBytes, entireBuffer ? DSBLOCK_ENTIREBUFFER : 0);
    if (result == DSERR_BUFFERLOST)
        return BufferResult::Lost;
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return BufferResult::Failed;
    }
    region = {first, int(firstBytes), second, int(secondBytes)};
    return BufferResult::Ok;
}

void CDirectSoundBuffer::Unlock(const LockedRegion& region) {
    const HRESULT result = buffer_->Unlock(region.first, DWORD(region.firstBytes), region.second,
                                           DWORD(region.secondBytes));
    if (FAILED(result))
        VINTARA_LOG_DIRECTX_FAILURE(result);
}

void CDirectSoundBuffer::SetVolume(int attenuation) {
    const HRESULT result = buffer_->SetVolume(attenuation);
    if (FAILED(result))
        VINTARA_LOG_DIRECTX_FAILURE(result);
}

int CDirectSoundBuffer::GetVolume() {
    LONG volume = 0;
    const HRESULT result = buffer_->GetVolume(&volume);
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return 0;
    }
    return int(volume);
}

void CDirectSoundBuffer::SetPan(int pan) {
    const HRESULT result = buffer_->SetPan(pan);
    if (FAILED(result))
        VINTARA_LOG_DIRECTX_FAILURE(result);
}

int CDirectSoundBuffer::GetPan() {
    LONG pan = 0;
    const HRESULT result = buffer_->GetPan(&pan);
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return 0;
    }
    return int(pan);
}

bool CDirectSoundBuffer::SetNotifications(int segmentBytes, int segments) {
    events_.clear();
    waitHandles_.clear();
    for (int i = 0; i <= segments; ++i) {
        CHandle event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (!event) {
            VINTARA_LOG_WIN32_FAILURE();
            return false;
        }
        waitHandles_.push_back(event.Get());
        events_.push_back(std::move(event));
    }
    TComPtr<IDirectSoundNotify> notify;
    HRESULT result =
        buffer_->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(notify.Receive()));
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return false;
    }
    std::vector<DSBPOSITIONNOTIFY> positions;
    for (int i = 0; i < segments; ++i)
        positions.push_back({DWORD(segmentBytes * (i + 1) - 1), waitHandles_[std::size_t(i)]});
    positions.push_back({DWORD(DSBPN_OFFSETSTOP), waitHandles_.back()});
    result = notify->SetNotificationPositions(DWORD(positions.size()), positions.data());
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return false;
    }
    return true;
}

int CDirectSoundBuffer::WaitForNotification(int timeoutMilliseconds) {
    const DWORD result = WaitForMultipleObjects(
        DWORD(waitHandles_.size()), waitHandles_.data(), FALSE,
        timeoutMilliseconds == kWaitForever ? INFINITE : DWORD(timeoutMilliseconds));
    if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + waitHandles_.size())
        return int(result - WAIT_OBJECT_0);
    if (result == WAIT_TIMEOUT)
        return kWaitTimedOut;
    VINTARA_LOG_WIN32_FAILURE();
    return kWaitFailed;
}

void CDirectSoundBuffer::WakeWaiter() {
    if (!waitHandles_.empty())
        SetEvent(waitHandles_.back());
}

void CDirectSoundBuffer::ClearNotifications() {
    for (HANDLE event : waitHandles_)
        ResetEvent(event);
}

} // namespace vintara
