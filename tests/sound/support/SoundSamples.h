#pragma once

// Sound data made by the tests themselves: sine tones as PCM, RIFF WAVE files (also malformed
// ones, chunk by chunk) and Ogg Vorbis encoded with libvorbisenc.

#include "vintara/MemoryStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace soundtest {

using Bytes = std::vector<unsigned char>;

struct Tone {
    int rate = 44100;
    int channels = 2;
    int bits = 16; // 8 or 16
    double frequency = 440.0;
    double seconds = 1.0;
    double amplitude = 0.5; // of full scale
};

int FrameCount(const Tone& tone);
// Interleaved PCM of a sine tone, the same in every channel.
Bytes SinePcm(const Tone& tone);
// The same tone as 16-bit samples (for the encoder).
std::vector<std::int16_t> SineSamples(const Tone& tone);

// 18-byte format block of plain PCM.
Bytes PcmFormatBlock(int rate, int channels, int bits);

// Assembles RIFF forms chunk by chunk; sizes may lie on purpose.
class RiffBuilder {
public:
    explicit RiffBuilder(std::string formType = "WAVE") : formType_(std::move(formType)) {}
    // A chunk whose size field is the payload's size, with a pad byte after an odd payload.
    RiffBuilder& Chunk(const std::string& id, const Bytes& payload, bool pad = true);
    // A chunk whose size field says `declaredSize` whatever follows.
    RiffBuilder& ChunkDeclaring(const std::string& id, std::uint32_t declaredSize,
                                const Bytes& payload);
    RiffBuilder& Raw(const Bytes& bytes);
    // The RIFF size field is the true size unless `riffSize` is given.
    Bytes Build(long long riffSize = -1) const;

private:
    std::string formType_;
    Bytes body_;
};

Bytes WaveFile(const Tone& tone);
Bytes WaveFileOf(const Bytes& pcm, int rate, int channels, int bits);

// Ogg Vorbis of interleaved 16-bit samples (variable bit rate at `quality`, -0.1..1).
Bytes OggFile(const std::vector<std::int16_t>& samples, int rate, int channels,
              float quality = 0.4f, long serial = 12345);
Bytes OggFile(const Tone& tone, float quality = 0.4f);

std::unique_ptr<vintara::CMemoryStream> MemoryStreamOf(const Bytes& bytes);

void Append(Bytes& to, const Bytes& bytes);
void PutLittleEndian(Bytes& to, std::uint32_t value, int bytes);

} // namespace soundtest
