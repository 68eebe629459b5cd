#include "sound/OggVorbisReader.h"

#include "vintara/Exception.h"
#include "vintara/Text.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace vintara {

// The decoder state and what the callbacks need: libvorbisfile hands this back as data source.
struct COggVorbisReader::Decoder {
    OggVorbis_File file{};
    IStream* stream = nullptr;
    std::exception_ptr* error = nullptr;
};

namespace {

using CallbackSource = COggVorbisReader::Decoder;

// libvorbisfile calls these with the reader as data source.
size_t ReadCallback(void* buffer, size_t size, size_t count, void* source) {
    auto& reader = *static_cast<CallbackSource*>(source);
    try {
        const int got = reader.stream->Read(buffer, int(size * count));
        return got > 0 ? size_t(got) : 0;
    } catch (...) {
        *reader.error = std::current_exception();
        errno = EIO; // makes libvorbisfile see a read error rather than the end of the data
        return 0;
    }
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
    auto& reader = *static_cast<CallbackSource*>(source);
    const int origin = whence == SEEK_SET   ? kSeekBegin
                       : whence == SEEK_END ? kSeekEnd
                                            : kSeekCurrent;
    try {
        reader.stream->Seek(int(offset), origin);
    } catch (...) {
        *reader.error = std::current_exception();
        return -1;
    }
    return 0;
}

int CloseCallback(void*) { return 0; }

long TellCallback(void* source) {
    auto& reader = *static_cast<CallbackSource*>(source);
    try {
        return reader.stream->GetPosition();
    } catch (...) {
        *reader.error = std::current_exception();
        return -1;
    }
}

} // namespace

COggVorbisReader::COggVorbisReader() = default;

COggVorbisReader::~COggVorbisReader() { Close(); }

void COggVorbisReader::Close() {
    if (open_)
        ov_clear(&decoder_->file);
    open_ = false;
    decoder_.reset();
}

void COggVorbisReader::RethrowStreamError() {
    if (streamError_) {
        auto error = streamError_;
        streamError_ = nullptr;
        std::rethrow_exception(error);
    }
}

void COggVorbisReader::Open(IStream& stream) {
    Close();
    stream_ = &stream;
    streamError_ = nullptr;
    auto decoder = std::make_unique<Decoder>();
    decoder->stream = stream_;
    decoder->error = &streamError_;
    const ov_callbacks callbacks = {ReadCallback, SeekCallback, CloseCallback, TellCallback};
    const int result = ov_open_callbacks(decoder.get(), &decoder->file, nullptr, 0, callbacks);
    // libvorbisfile can open despite a read error it met on the way (when looking for the end,
    // say); the state it built goes with the error.
    if (result == 0 && streamError_)
        ov_clear(&decoder->file);
    RethrowStreamError();
    if (result < 0)
        throw EFileOpenError(*this, Utf8ToAnsi("OggVorbisファイルのオープンに失敗しました."));
    decoder_ = std::move(decoder);
    open_ = true;

    const vorbis_info* info = ov_info(&decoder_->file, -1);
    format_ = WaveFormat{};
    format_.wFormatTag = kWaveFormatPcm;
    format_.nChannels = std::uint16_t(info->channels);
    format_.nSamplesPerSec = std::uint32_t(info->rate);
    format_.nBlockAlign = std::uint16_t(info->channels * 2);
    format_.wBitsPerSample = 16;
    format_.cbSize = 0;
    format_.nAvgBytesPerSec = format_.nSamplesPerSec * format_.nBlockAlign;
}

void COggVorbisReader::Rewind() {
    if (!open_)
        return;
    if (ov_seekable(&decoder_->file))
        ov_pcm_seek(&decoder_->file, 0);
    RethrowStreamError();
}

int COggVorbisReader::Read(void* buffer, int count) {
    if (!open_ || count <= 0)
        return 0;
    // libvorbisfile delivers whole sample frames only; a request for less than one frame would
    // fail on every call.
    count -= count % format_.nBlockAlign;
    char* out = static_cast<char*>(buffer);
    int total = 0;
    int errors = 0;
    while (total < count) {
        int bitstream = 0;
        const long got = ov_read(&decoder_->file, out + total, count - total, 0, 2, 1, &bitstream);
        RethrowStreamError();
        if (got == 0)
            break;
        if (got < 0) {
            if (++errors >= kMaxConsecutiveDecodeErrors)
                break;
            continue;
        }
        errors = 0;
        total += int(got);
    }
    return total;
}

int COggVorbisReader::GetSize() {
    if (!open_)
        return 0;
    const ogg_int64_t samples = ov_pcm_total(&decoder_->file, -1);
    if (samples <= 0)
        return 0;
    const ogg_int64_t bytes = samples * format_.nBlockAlign;
    return bytes > INT_MAX ? INT_MAX : int(bytes);
}

} // namespace vintara
