// The seed corpus of sound_reader_fuzzer is made here; SOUND_UPDATE_CORPUS=1 rewrites it.
#include "tests/sound/support/SoundSamples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

using namespace soundtest;

namespace {

std::map<std::string, Bytes> Seeds() {
    std::map<std::string, Bytes> seeds;
    seeds["wave-stereo-16"] = WaveFile(Tone{.seconds = 0.02});
    seeds["wave-mono-8"] = WaveFile(Tone{.rate = 8000, .channels = 1, .bits = 8, .seconds = 0.02});
    const Bytes pcm = SinePcm(Tone{.rate = 22050, .channels = 1, .seconds = 0.01});
    Bytes extensible = PcmFormatBlock(22050, 1, 16);
    extensible[0] = 0xFE;
    extensible[1] = 0xFF;
    extensible[16] = 22;
    extensible.resize(40, 0x11);
    seeds["wave-extensible"] = RiffBuilder().Chunk("fmt ", extensible).Chunk("data", pcm).Build();
    seeds["wave-odd-chunk-unpadded"] = RiffBuilder()
                                           .Chunk("fmt ", PcmFormatBlock(22050, 1, 16))
                                           .Chunk("LIST", Bytes{1, 2, 3}, false)
                                           .Chunk("data", pcm)
                                           .Build();
    seeds["wave-two-data"] = RiffBuilder()
                                 .Chunk("fmt ", PcmFormatBlock(22050, 1, 16))
                                 .Chunk("data", Bytes(10, 1))
                                 .Chunk("data", pcm)
                                 .Build();
    seeds["wave-lying-sizes"] = RiffBuilder()
                                    .Chunk("fmt ", PcmFormatBlock(22050, 1, 16))
                                    .ChunkDeclaring("data", 0xFFFFFFF0u, pcm)
                                    .Build(0x7FFFFFFF);
    seeds["riff-not-wave"] = RiffBuilder("AVI ").Chunk("data", pcm).Build();
    seeds["ogg-mono-22050"] = OggFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.1});
    seeds["ogg-stereo-44100"] = OggFile(Tone{.rate = 44100, .channels = 2, .seconds = 0.05});
    const Bytes ogg = seeds["ogg-mono-22050"];
    seeds["ogg-truncated"] = Bytes(ogg.begin(), ogg.begin() + long(ogg.size() * 2 / 3));
    seeds["ogg-garbage"] = Bytes{'O', 'g', 'g', 'S', 0, 2, 0xFF, 0xFF, 1, 2, 3, 4};
    return seeds;
}

Bytes Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(FuzzSeeds, SoundReaderCorpusIsWhatTheTestsMake) {
    const std::filesystem::path folder =
        std::filesystem::path(SOUND_SOURCE_DIR) / "tests/fuzz/corpus/sound_reader_fuzzer";
    const bool update = std::getenv("SOUND_UPDATE_CORPUS") != nullptr;
    if (update)
        std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : Seeds()) {
        if (update) {
            std::ofstream(folder / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            continue;
        }
        EXPECT_EQ(Load(folder / name), bytes) << name << " (SOUND_UPDATE_CORPUS=1 remakes it)";
    }
}
