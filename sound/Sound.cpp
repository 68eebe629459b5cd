#include "sound/Sound.h"

#include "sound/VolumeScale.h"

namespace vintara {

bool CSound::IsPlaying() { return buffer_ && buffer_->IsPlaying(); }

void CSound::Stop() {
    if (buffer_)
        buffer_->Stop();
}

void CSound::SetVolumeRaw(int attenuation) {
    if (buffer_)
        buffer_->SetVolume(attenuation);
}

int CSound::GetVolumeRaw() { return buffer_ ? buffer_->GetVolume() : 0; }

void CSound::SetVolume(int volume) { SetVolumeRaw(VolumeToAttenuation(volume)); }

int CSound::GetVolume() { return buffer_ ? AttenuationToVolume(GetVolumeRaw()) : 0; }

void CSound::SetPan(int pan) {
    if (buffer_)
        buffer_->SetPan(pan);
}

int CSound::GetPan() { return buffer_ ? buffer_->GetPan() : 0; }

} // namespace vintara
