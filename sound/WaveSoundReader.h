#pragma once

#include "sound/RIFFReader.h"
#include "sound/SoundReader.h"

#include <vector>

namespace vintara {

// RIFF WAVE: the "fmt " chunk is the format, the "data" chunk is passed through untouched.
class CWaveSoundReader : public ISoundReader, public CNonCopyable {
public:
    void Open(IStream& stream) override;
    WaveFormat* GetFormat() override;
    void Rewind() override;
    int Read(void* buffer, int count) override;
    int GetSize() override;

private:
    CRIFFReader riff_;
    std::vector<unsigned char> format_; // at least 18 bytes once open
};

} // namespace vintara
