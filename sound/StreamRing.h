#pragma once

#include "sound/SoundReader.h"

#include <atomic>

namespace vintara {

// The bookkeeping of a streaming sound's ring buffer, without the buffer and without threads:
// what goes into the next segment (decoded data, the data again when looping, silence after
// the end), and whether the play cursor has passed the end of the data.
//
// Counts are 64-bit totals since the start of playing, so a sound may loop for as long as it
// likes; the end is the position in that total where the data ran out, so turning looping off
// during a long loop still plays the last pass to its end.
//
// A sound counts as played half a segment (about 60 ms) after the play cursor passed its last
// byte: the play cursor runs ahead of what is heard by the output's latency, and stopping a
// buffer drops what it has mixed but not yet sent out (about 55 ms under Wine's PulseAudio
// output), so stopping right at the cursor would cut the sound's end.
class CStreamRing {
public:
    static constexpr int kSegments = 16;

    // Ring bytes for a format: (A / (B x 16)) x B x 16 x 2 for A average bytes per second and
    // block align B, about two seconds in 16 segments of whole blocks. 0 when the format cannot
    // be streamed (no block size, fewer than 16 blocks a second, or more than a buffer holds).
    static int RingBytesFor(const WaveFormat& format);

    // A new decoder (not owned; null detaches) and ring.
    void Attach(ISoundReader* decoder, const WaveFormat& format, int ringBytes);
    int RingBytes() const { return ringBytes_; }
    int SegmentBytes() const { return segmentBytes_; }
    int WriteOffset() const { return writeOffset_; }
    int WriteSegment() const { return segmentBytes_ ? writeOffset_ / segmentBytes_ : 0; }

    // The ring is about to be filled from its start and played from position 0.
    void Restart();
    // Writes the next `bytes` of the sound to `out` and moves the write offset on. Never
    // throws: a decoder that fails ends the data there (silence follows).
    void Fill(unsigned char* out, int bytes, bool looping);
    // Counts the play cursor's advance; true once a non-looping sound's last byte has played.
    bool Played(int playCursor);
    // How long until the sound counts as played, from the last counted cursor; -1 while the data
    // has not run out.
    int MillisecondsUntilPlayed() const;
    int EndMarginBytes() const { return endMargin_; }
    // The decoder goes back to its first sample and the end is forgotten.
    void Rewind();
    bool EndOfData() const { return endOfData_; }
    // After the end was reached and the buffer stopped.
    void ClearEnd() { endOfData_ = false; }

private:
    int ReadDecoder(unsigned char* out, int bytes);
    void MarkEnd(long long at);

    ISoundReader* decoder_ = nullptr;
    int ringBytes_ = 0;
    int segmentBytes_ = 0;
    int frameBytes_ = 1;
    int bytesPerSecond_ = 0;
    int endMargin_ = 0;
    unsigned char silence_ = 0;
    int writeOffset_ = 0;
    int lastCursor_ = 0;
    long long written_ = 0;
    long long played_ = 0;
    long long endMark_ = 0;
    int passRemainder_ = 0; // bytes of the current pass modulo the frame size
    bool decoderFailed_ = false;
    std::atomic<bool> endOfData_{false};
};

} // namespace vintara
