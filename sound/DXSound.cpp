#include "sound/DXSound.h"

#include "sound/DirectSoundBuffer.h"
#include "vintara/DiagnosticLog.h"
#include "vintara/Text.h"

#include <cstddef>

namespace vintara {

// The portable description of a format and the buffer flags are DirectSound's own.
static_assert(sizeof(WaveFormat) == sizeof(WAVEFORMATEX));
static_assert(offsetof(WaveFormat, nAvgBytesPerSec) == offsetof(WAVEFORMATEX, nAvgBytesPerSec));
static_assert(offsetof(WaveFormat, cbSize) == offsetof(WAVEFORMATEX, cbSize));
static_assert(kBufferPrimary == DSBCAPS_PRIMARYBUFFER &&
              kBufferLocSoftware == DSBCAPS_LOCSOFTWARE &&
              kBufferCtrlVolume == DSBCAPS_CTRLVOLUME &&
              kBufferCtrlPositionNotify == DSBCAPS_CTRLPOSITIONNOTIFY &&
              kBufferGlobalFocus == DSBCAPS_GLOBALFOCUS && kBufferLocDefer == DSBCAPS_LOCDEFER);

CDXSound::CDXSound() {
    format_.wFormatTag = WAVE_FORMAT_PCM;
    format_.nChannels = 2;
    format_.nSamplesPerSec = 44100;
    format_.wBitsPerSample = 16;
    format_.cbSize = 0;
}

bool CDXSound::Fail(const char* messageUtf8) {
    failure_ = Utf8ToAnsi(messageUtf8);
    DiagnosticLog().Write(FormatErrorLine(failure_));
    // The report names the device as its source already; the log line keeps its own form.
    if (failure_.rfind("CDXSound: ", 0) == 0)
        failure_.erase(0, 10);
    while (!failure_.empty() && failure_.back() == '\n')
        failure_.pop_back();
    Finalize();
    return false;
}

bool CDXSound::Initialize() {
    // A second initialization starts afresh instead of leaking the first device.
    Finalize();
    failure_.clear();
    HRESULT result = DirectSoundCreate(nullptr, directSound_.Receive(), nullptr);
    if (FAILED(result))
        return Fail("CDXSound: DirectSoundCreate() 失敗\n");
    result = directSound_->SetCooperativeLevel(window_, DSSCL_PRIORITY);
    if (FAILED(result))
        return Fail("CDXSound: SetCooperativeLevel() 失敗\n");

    // DSBUFFERDESC is 36 bytes in 32-bit programs and 40 here: the size is the structure's own.
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    result = directSound_->CreateSoundBuffer(&desc, primary_.Receive(), nullptr);
    if (FAILED(result))
        return Fail("CDXSound: プライマリバッファの作成に失敗\n");

    format_.nBlockAlign = WORD(format_.nChannels * format_.wBitsPerSample / 8);
    format_.nAvgBytesPerSec = format_.nBlockAlign * format_.nSamplesPerSec;
    result = primary_->SetFormat(&format_);
    if (FAILED(result))
        return Fail("CDXSound: プライマリバッファのフォーマット設定に失敗\n");

    result = primary_->Play(0, 0, DSBPLAY_LOOPING);
    if (FAILED(result))
        VINTARA_LOG_DIRECTX_FAILURE(result);
    initialized_ = true;
    return true;
}

void CDXSound::Abandon() {
    primary_.Abandon();
    directSound_.Abandon();
    initialized_ = false;
}

void CDXSound::Finalize() {
    primary_.Reset();
    directSound_.Reset();
    initialized_ = false;
}

std::unique_ptr<ISoundBuffer> CDXSound::CreateSoundBuffer(const SoundBufferDesc& desc) {
    if (!directSound_ || !desc.format)
        return nullptr;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = desc.flags;
    description.dwBufferBytes = DWORD(desc.bytes);
    description.lpwfxFormat =
        const_cast<WAVEFORMATEX*>(reinterpret_cast<const WAVEFORMATEX*>(desc.format));
    TComPtr<IDirectSoundBuffer> buffer;
    const HRESULT result = directSound_->CreateSoundBuffer(&description, buffer.Receive(), nullptr);
    if (FAILED(result)) {
        VINTARA_LOG_DIRECTX_FAILURE(result);
        return nullptr;
    }
    return std::make_unique<CDirectSoundBuffer>(std::move(buffer));
}

} // namespace vintara
