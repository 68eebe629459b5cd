#pragma once

#include "sound/Sound.h"
#include "sound/SoundReader.h"
#include "vintara/MemoryStream.h"

#include <memory>

namespace vintara {

// A whole sound decoded into one buffer (and kept decoded in memory, to refill a lost buffer).
class CStaticSound : public CSound {
public:
    explicit CStaticSound(std::uint32_t creationFlags) : CSound(creationFlags) {}

    void Create(ISoundDevice& device, IStream& stream) override;
    // From the start each time; looping as the flag says at this moment.
    void Play() override;
    virtual void Load(ISoundDevice& device, ISoundReader& reader);

private:
    void FillBuffer();

    std::unique_ptr<CMemoryStream> decoded_;
};

} // namespace vintara
