#pragma once

#include <cstdint>

namespace vintara {

// The 18-byte PCM description DirectSound takes for a buffer, laid out exactly as WAVEFORMATEX
// so that the decoders stay free of Win32 headers. A decoder's format block may be longer
// (cbSize more bytes follow, as in an extensible format).
#pragma pack(push, 1)
struct WaveFormat {
    std::uint16_t wFormatTag;
    std::uint16_t nChannels;
    std::uint32_t nSamplesPerSec;
    std::uint32_t nAvgBytesPerSec;
    std::uint16_t nBlockAlign;
    std::uint16_t wBitsPerSample;
    std::uint16_t cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WaveFormat) == 18);

constexpr std::uint16_t kWaveFormatPcm = 1;

} // namespace vintara
