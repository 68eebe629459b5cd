#include "tools/samplegen/SoundFiles.h"

#include <vorbis/vorbisenc.h>

#include <cstring>
#include <stdexcept>

namespace miravo::samplegen {

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendPage(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header), std::size_t(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), std::size_t(page.body_len));
}

// The encoder's state, released in one place whatever happens.
struct VorbisEncoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool analysing = false;

    VorbisEncoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~VorbisEncoder() {
        if (analysing) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;
};

} // namespace

std::string EncodeWave(const Sound& sound) {
    const std::vector<std::int16_t> pcm = sound.Pcm16();
    const std::uint32_t dataSize = std::uint32_t(pcm.size() * 2);
    const std::uint32_t blockAlign = std::uint32_t(sound.Channels() * 2);
    std::string out = "RIFF";
    PutLe(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);
    PutLe(out, 1, 2); // PCM
    PutLe(out, std::uint32_t(sound.Channels()), 2);
    PutLe(out, std::uint32_t(sound.SampleRate()), 4);
    PutLe(out, std::uint32_t(sound.SampleRate()) * blockAlign, 4);
    PutLe(out, blockAlign, 2);
    PutLe(out, 16, 2);
    out += "data";
    PutLe(out, dataSize, 4);
    for (std::int16_t sample : pcm)
        PutLe(out, std::uint16_t(sample), 2);
    return out;
}

std::string EncodeOggVorbis(const Sound& sound, float quality, int serialNumber) {
    VorbisEncoder e;
    if (vorbis_encode_init_vbr(&e.info, sound.Channels(), sound.SampleRate(), quality) != 0)
        throw std::runtime_error("Ogg Vorbis: unsupported format");
    vorbis_comment_add_tag(&e.comment, "ENCODER", "Miravo samplegen");
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    ogg_stream_init(&e.stream, serialNumber);
    e.analysing = true;

    std::string out;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&e.stream, &header);
    ogg_stream_packetin(&e.stream, &comments);
    ogg_stream_packetin(&e.stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&e.stream, &page) != 0)
        AppendPage(out, page);

    const std::vector<std::int16_t> pcm = sound.Pcm16();
    const std::size_t frames = sound.Frames();
    const int channels = sound.Channels();
    constexpr std::size_t kChunk = 4096;
    for (std::size_t done = 0;;) {
        const std::size_t count = std::min(kChunk, frames - done);
        // A chunk of 0 frames tells the encoder that the sound has ended.
        float** buffer = vorbis_analysis_buffer(&e.dsp, int(count));
        for (std::size_t i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c)
                buffer[c][i] = pcm[(done + i) * std::size_t(channels) + std::size_t(c)] / 32768.0f;
        }
        vorbis_analysis_wrote(&e.dsp, int(count));
        done += count;
        while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
            vorbis_analysis(&e.block, nullptr);
            vorbis_bitrate_addblock(&e.block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&e.dsp, &packet) == 1) {
                ogg_stream_packetin(&e.stream, &packet);
                while (ogg_stream_pageout(&e.stream, &page) != 0)
                    AppendPage(out, page);
            }
        }
        if (count == 0)
            break;
    }
    while (ogg_stream_flush(&e.stream, &page) != 0)
        AppendPage(out, page);
    return out;
}

} // namespace miravo::samplegen
