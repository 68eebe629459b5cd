#pragma once

#include "sound/SoundReader.h"

#include <exception>
#include <memory>

namespace vintara {

// Ogg Vorbis decoded by libvorbisfile to 16-bit signed little-endian PCM, reading through the
// engine's own stream.
//
// Decoding errors: a negative result of ov_read (a hole in the data) is skipped, but after
// kMaxConsecutiveDecodeErrors in a row without a sample in between the data counts as ended,
// so a stream that keeps failing cannot hold Read in a loop.
class COggVorbisReader : public ISoundReader, public CNonCopyable {
public:
    static constexpr int kMaxConsecutiveDecodeErrors = 32;

    COggVorbisReader();
    ~COggVorbisReader() override;

    void Open(IStream& stream) override;
    WaveFormat* GetFormat() override { return &format_; }
    void Rewind() override;
    int Read(void* buffer, int count) override;
    int GetSize() override;

    struct Decoder;

private:
    void Close();
    // A stream error caught inside a libvorbisfile callback travels on from here, after the
    // library call has returned: exceptions must not unwind through C frames.
    void RethrowStreamError();

    bool open_ = false;
    std::unique_ptr<Decoder> decoder_;
    WaveFormat format_{};
    IStream* stream_ = nullptr;
    std::exception_ptr streamError_;
};

} // namespace vintara
