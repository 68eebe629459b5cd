#include "sound/StreamRing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vintara {
namespace {

// DSBSIZE_MAX: DirectSound refuses larger buffers.
constexpr std::uint64_t kMaxBufferBytes = 0x0FFFFFFF;

} // namespace

int CStreamRing::RingBytesFor(const WaveFormat& format) {
    const std::uint64_t block = format.nBlockAlign;
    if (block == 0)
        return 0;
    const std::uint64_t ring =
        std::uint64_t(format.nAvgBytesPerSec) / (block * kSegments) * block * kSegments * 2;
    return ring > kMaxBufferBytes ? 0 : int(ring);
}

void CStreamRing::Attach(ISoundReader* decoder, const WaveFormat& format, int ringBytes) {
    decoder_ = decoder;
    ringBytes_ = ringBytes;
    segmentBytes_ = ringBytes / kSegments;
    frameBytes_ = std::max<int>(1, format.nBlockAlign);
    bytesPerSecond_ = int(std::min<std::uint32_t>(format.nAvgBytesPerSec, 0x7FFFFFFF));
    endMargin_ = segmentBytes_ / 2 - segmentBytes_ / 2 % frameBytes_;
    silence_ = format.wBitsPerSample == 8 ? 0x80 : 0;
    passRemainder_ = 0;
    decoderFailed_ = false;
    endOfData_ = false;
    Restart();
}

void CStreamRing::Restart() {
    writeOffset_ = 0;
    lastCursor_ = 0;
    written_ = 0;
    played_ = 0;
    endMark_ = 0;
}

int CStreamRing::ReadDecoder(unsigned char* out, int bytes) {
    if (!decoder_ || decoderFailed_)
        return 0;
    try {
        const int got = decoder_->Read(out, bytes);
        return std::clamp(got, 0, bytes);
    } catch (...) {
        // Nothing may leave the refill thread: a failing decoder ends the sound here.
        decoderFailed_ = true;
        return 0;
    }
}

void CStreamRing::MarkEnd(long long at) {
    if (!endOfData_) {
        endMark_ = at;
        endOfData_ = true;
    }
}

void CStreamRing::Fill(unsigned char* out, int bytes, bool looping) {
    int filled = 0;
    int filledAtRewind = -1; // where the pass that began in this fill began
    while (!endOfData_ && filled < bytes) {
        const int got = ReadDecoder(out + filled, bytes - filled);
        filled += got;
        passRemainder_ = (passRemainder_ + got) % frameBytes_;
        if (filled == bytes)
            break;
        // The data ran out.
        if (!looping || decoderFailed_) {
            MarkEnd(written_ + filled);
            break;
        }
        // A pass that ended inside a frame (a WAVE data chunk of odd length) drops the partial
        // frame, so that the next pass starts on a frame boundary as the first one did.
        filled -= std::min(passRemainder_, got);
        passRemainder_ = 0;
        // A whole pass without one whole frame (an empty sound, or one shorter than a frame):
        // silence, not a busy loop.
        if (filled == filledAtRewind)
            break;
        try {
            decoder_->Rewind();
        } catch (...) {
            decoderFailed_ = true;
        }
        filledAtRewind = filled;
    }
    std::memset(out + filled, silence_, std::size_t(bytes - filled));
    written_ += bytes;
    writeOffset_ = ringBytes_ ? int((writeOffset_ + std::int64_t(bytes)) % ringBytes_) : 0;
}

bool CStreamRing::Played(int playCursor) {
    const int advance = playCursor >= lastCursor_ ? playCursor - lastCursor_
                                                  : playCursor + ringBytes_ - lastCursor_;
    played_ += advance;
    lastCursor_ = playCursor;
    return endOfData_ && played_ >= endMark_ + endMargin_;
}

int CStreamRing::MillisecondsUntilPlayed() const {
    if (!endOfData_)
        return -1;
    const long long left = std::max(0LL, endMark_ + endMargin_ - played_);
    if (bytesPerSecond_ <= 0)
        return 0;
    return int((left * 1000 + bytesPerSecond_ - 1) / bytesPerSecond_);
}

void CStreamRing::Rewind() {
    played_ = 0;
    written_ = 0;
    lastCursor_ = 0;
    endOfData_ = false;
    decoderFailed_ = false;
    passRemainder_ = 0;
    if (decoder_)
        decoder_->Rewind();
}

} // namespace vintara
