#include "sound/StaticSound.h"

#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <cstring>

namespace vintara {

void CStaticSound::Create(ISoundDevice& device, IStream& stream) {
    auto reader = CreateSoundReader(stream);
    Load(device, *reader);
}

void CStaticSound::Load(ISoundDevice& device, ISoundReader& reader) {
    buffer_.reset();
    decoded_.reset();
    const int size = reader.GetSize();
    const SoundBufferDesc desc{
        creationFlags_ | (device.UsesSoftwareBuffers() ? kBufferLocSoftware : kBufferLocDefer),
        size, reader.GetFormat()};
    auto buffer = size > 0 ? device.CreateSoundBuffer(desc) : nullptr;
    if (!buffer)
        throw EReadError(*this, Utf8ToAnsi("サウンドバッファの作成に失敗しました."));

    auto decoded = std::make_unique<CMemoryStream>();
    decoded->SetSize(size);
    auto* bytes = static_cast<unsigned char*>(decoded->GetBuffer());
    int filled = 0;
    while (bytes && filled < decoded->GetSize()) {
        const int got = reader.Read(bytes + filled, decoded->GetSize() - filled);
        if (got <= 0)
            break;
        filled += got;
    }
    // A sound shorter than it claimed: silence, never the heap's leftovers.
    if (bytes)
        std::memset(bytes + filled, reader.GetFormat()->wBitsPerSample == 8 ? 0x80 : 0,
                    std::size_t(decoded->GetSize() - filled));
    buffer_ = std::move(buffer);
    decoded_ = std::move(decoded);
    try {
        FillBuffer();
    } catch (...) {
        buffer_.reset();
        decoded_.reset();
        throw;
    }
}

void CStaticSound::FillBuffer() {
    LockedRegion region;
    BufferResult result = buffer_->Lock(0, 0, true, region);
    if (result == BufferResult::Lost) {
        buffer_->Restore();
        result = buffer_->Lock(0, 0, true, region);
    }
    if (result != BufferResult::Ok)
        throw EReadError(*this, Utf8ToAnsi("サウンドバッファのロックに失敗しました."));
    decoded_->Seek(0, kSeekBegin);
    decoded_->Read(region.first, region.firstBytes);
    if (region.second)
        decoded_->Read(region.second, region.secondBytes);
    buffer_->Unlock(region);
}

void CStaticSound::Play() {
    if (!buffer_)
        return;
    buffer_->SetCurrentPosition(0);
    if (buffer_->Play(IsLooping()) == BufferResult::Lost) {
        FillBuffer();
        buffer_->Play(IsLooping());
    }
}

} // namespace vintara
