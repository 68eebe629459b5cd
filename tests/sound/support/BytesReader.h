#pragma once

#include "sound/SoundReader.h"
#include "vintara/Exception.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace soundtest {

// A reader over bytes in memory, counting what is asked of it; it can fail on purpose.
class CBytesReader : public vintara::ISoundReader, public vintara::CNonCopyable {
public:
    CBytesReader(std::vector<unsigned char> pcm, int channels, int bits = 16, int rate = 44100)
        : pcm_(std::move(pcm)) {
        format_.wFormatTag = 1;
        format_.nChannels = std::uint16_t(channels);
        format_.nSamplesPerSec = std::uint32_t(rate);
        format_.wBitsPerSample = std::uint16_t(bits);
        format_.nBlockAlign = std::uint16_t(channels * bits / 8);
        format_.nAvgBytesPerSec = format_.nSamplesPerSec * format_.nBlockAlign;
    }

    void Open(vintara::IStream&) override {}
    vintara::WaveFormat* GetFormat() override { return &format_; }
    void Rewind() override {
        ++rewinds;
        position_ = 0;
    }
    int Read(void* buffer, int count) override {
        ++reads;
        if (failAt >= 0 && position_ + count > failAt)
            throw vintara::EReadError("injected decoder failure");
        const int n = std::max(0, std::min(count, int(pcm_.size()) - position_));
        if (n > 0)
            std::memcpy(buffer, pcm_.data() + position_, std::size_t(n));
        position_ += n;
        return n;
    }
    int GetSize() override { return int(pcm_.size()); }

    int rewinds = 0;
    int reads = 0;
    int failAt = -1; // a Read that would go past this byte raises

private:
    std::vector<unsigned char> pcm_;
    int position_ = 0;
    vintara::WaveFormat format_{};
};

} // namespace soundtest
