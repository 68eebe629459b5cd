#include "tests/sound/support/SoundSamples.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

namespace soundtest {

int FrameCount(const Tone& tone) { return int(std::lround(tone.seconds * tone.rate)); }

std::vector<std::int16_t> SineSamples(const Tone& tone) {
    const int frames = FrameCount(tone);
    std::vector<std::int16_t> samples(std::size_t(frames) * std::size_t(tone.channels));
    for (int i = 0; i < frames; ++i) {
        const double value =
            tone.amplitude * std::sin(2 * std::numbers::pi * tone.frequency * i / tone.rate);
        for (int c = 0; c < tone.channels; ++c)
            samples[std::size_t(i) * std::size_t(tone.channels) + std::size_t(c)] =
                std::int16_t(std::lround(value * 32767));
    }
    return samples;
}

Bytes SinePcm(const Tone& tone) {
    const auto samples = SineSamples(tone);
    Bytes pcm;
    if (tone.bits == 8) {
        for (auto s : samples)
            pcm.push_back(static_cast<unsigned char>(128 + s / 256));
    } else {
        for (auto s : samples)
            PutLittleEndian(pcm, std::uint16_t(s), 2);
    }
    return pcm;
}

void Append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

void PutLittleEndian(Bytes& to, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        to.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

Bytes PcmFormatBlock(int rate, int channels, int bits) {
    Bytes block;
    const int blockAlign = channels * bits / 8;
    PutLittleEndian(block, 1, 2);
    PutLittleEndian(block, std::uint32_t(channels), 2);
    PutLittleEndian(block, std::uint32_t(rate), 4);
    PutLittleEndian(block, std::uint32_t(rate * blockAlign), 4);
    PutLittleEndian(block, std::uint32_t(blockAlign), 2);
    PutLittleEndian(block, std::uint32_t(bits), 2);
    PutLittleEndian(block, 0, 2);
    return block;
}

RiffBuilder& RiffBuilder::Chunk(const std::string& id, const Bytes& payload, bool pad) {
    ChunkDeclaring(id, std::uint32_t(payload.size()), payload);
    if (pad && payload.size() % 2 == 1)
        body_.push_back(0);
    return *this;
}

RiffBuilder& RiffBuilder::ChunkDeclaring(const std::string& id, std::uint32_t declaredSize,
                                         const Bytes& payload) {
    body_.insert(body_.end(), id.begin(), id.end());
    PutLittleEndian(body_, declaredSize, 4);
    Append(body_, payload);
    return *this;
}

RiffBuilder& RiffBuilder::Raw(const Bytes& bytes) {
    Append(body_, bytes);
    return *this;
}

Bytes RiffBuilder::Build(long long riffSize) const {
    Bytes file = {'R', 'I', 'F', 'F'};
    PutLittleEndian(file, std::uint32_t(riffSize >= 0 ? riffSize : 4 + (long long)body_.size()), 4);
    file.insert(file.end(), formType_.begin(), formType_.end());
    Append(file, body_);
    return file;
}

Bytes WaveFileOf(const Bytes& pcm, int rate, int channels, int bits) {
    Bytes format = PcmFormatBlock(rate, channels, bits);
    format.resize(16); // the common 16-byte "fmt " chunk
    return RiffBuilder().Chunk("fmt ", format).Chunk("data", pcm).Build();
}

Bytes WaveFile(const Tone& tone) {
    return WaveFileOf(SinePcm(tone), tone.rate, tone.channels, tone.bits);
}

namespace {

void AppendPage(Bytes& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

Bytes OggFile(const std::vector<std::int16_t>& samples, int rate, int channels, float quality,
              long serial) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbis_encode_init_vbr failed");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "miravo tests");
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, int(serial));

    Bytes out;
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);

    const std::size_t frames = samples.size() / std::size_t(channels);
    constexpr std::size_t kChunk = 1024;
    std::size_t done = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t n = std::min(kChunk, frames - done);
        if (n == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(n));
            for (std::size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] =
                        samples[(done + i) * std::size_t(channels) + std::size_t(c)] / 32768.0f;
            vorbis_analysis_wrote(&dsp, int(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    AppendPage(out, page);
                    if (ogg_page_eos(&page))
                        ended = true;
                }
            }
        }
        if (n == 0 && !ended) {
            // Everything is written; the last packets flush the end-of-stream page.
            while (ogg_stream_flush(&stream, &page) != 0)
                AppendPage(out, page);
            ended = true;
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

Bytes OggFile(const Tone& tone, float quality) {
    return OggFile(SineSamples(tone), tone.rate, tone.channels, quality);
}

std::unique_ptr<vintara::CMemoryStream> MemoryStreamOf(const Bytes& bytes) {
    auto stream = std::make_unique<vintara::CMemoryStream>();
    stream->Write(bytes.data(), int(bytes.size()));
    stream->Seek(0, vintara::kSeekBegin);
    return stream;
}

} // namespace soundtest
