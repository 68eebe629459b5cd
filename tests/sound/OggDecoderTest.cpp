// The Ogg Vorbis reader over streams encoded by the tests with libvorbisenc.
#include "sound/OggVorbisReader.h"
#include "sound/SoundReader.h"
#include "tests/sound/support/SignalAnalysis.h"
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/TestStreams.h"
#include "vintara/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vintara;
using namespace soundtest;

namespace {

Bytes ReadAll(ISoundReader& reader, int chunk = 4096) {
    Bytes all;
    Bytes buffer(static_cast<std::size_t>(chunk));
    for (int guard = 0; guard < 1'000'000; ++guard) {
        const int got = reader.Read(buffer.data(), chunk);
        if (got <= 0)
            break;
        all.insert(all.end(), buffer.begin(), buffer.begin() + got);
    }
    return all;
}

} // namespace

TEST(OggVorbisReader, FormatSizeAndToneForEachRateAndChannelCount) {
    for (const Tone& tone :
         {Tone{.rate = 22050, .channels = 1, .frequency = 330, .seconds = 0.7},
          Tone{.rate = 44100, .channels = 2, .frequency = 440, .seconds = 0.6},
          Tone{.rate = 48000, .channels = 2, .frequency = 1000, .seconds = 0.5}}) {
        SCOPED_TRACE(tone.rate);
        const Bytes ogg = OggFile(tone);
        auto stream = MemoryStreamOf(ogg);
        auto reader = CreateSoundReader(*stream);
        const WaveFormat& format = *reader->GetFormat();
        EXPECT_EQ(format.wFormatTag, 1);
        EXPECT_EQ(format.nChannels, tone.channels);
        EXPECT_EQ(int(format.nSamplesPerSec), tone.rate);
        EXPECT_EQ(format.nBlockAlign, tone.channels * 2);
        EXPECT_EQ(format.wBitsPerSample, 16);
        EXPECT_EQ(format.cbSize, 0);
        EXPECT_EQ(int(format.nAvgBytesPerSec), tone.rate * tone.channels * 2);
        EXPECT_EQ(reader->GetSize(), FrameCount(tone) * tone.channels * 2);

        const Bytes pcm = ReadAll(*reader);
        EXPECT_EQ(int(pcm.size()), reader->GetSize());
        for (int c = 0; c < tone.channels; ++c) {
            const Signal x = ChannelOf(pcm, tone.channels, c);
            const std::size_t a = x.size() / 10;
            const std::size_t b = x.size() * 9 / 10;
            EXPECT_NEAR(ZeroCrossingFrequency(x, tone.rate, a, b), tone.frequency,
                        tone.frequency * 0.002);
            EXPECT_NEAR(ToDecibels(Rms(x, a, b) * std::sqrt(2.0) / tone.amplitude), 0, 0.3);
        }
    }
}

TEST(OggVorbisReader, RewindStartsAgainAtTheFirstSample) {
    const Tone tone{.channels = 2, .seconds = 0.4};
    auto stream = MemoryStreamOf(OggFile(tone));
    auto reader = CreateSoundReader(*stream);
    const Bytes first = ReadAll(*reader, 10000);
    EXPECT_EQ(reader->Read(Bytes(64).data(), 64), 0);
    reader->Rewind();
    EXPECT_EQ(ReadAll(*reader, 3000), first);
    // Half way, then back.
    reader->Rewind();
    Bytes part(5000);
    EXPECT_EQ(reader->Read(part.data(), 5000), 5000);
    reader->Rewind();
    Bytes again(5000);
    EXPECT_EQ(reader->Read(again.data(), 5000), 5000);
    EXPECT_EQ(part, again);
}

TEST(OggVorbisReader, DeliversWholeFramesOnly) {
    auto stream = MemoryStreamOf(OggFile(Tone{.channels = 2, .seconds = 0.2}));
    auto reader = CreateSoundReader(*stream);
    Bytes buffer(16);
    EXPECT_EQ(reader->Read(buffer.data(), 3), 0); // less than a frame: nothing, and no loop
    EXPECT_EQ(reader->Read(buffer.data(), 7), 4);
    EXPECT_EQ(reader->Read(buffer.data(), -5), 0);
}

TEST(OggVorbisReader, DamagedStreamsFailWithTheFamilysExceptionsOrEndEarly) {
    const Bytes ogg = OggFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.3});
    const int fullSize = FrameCount(Tone{.rate = 22050, .channels = 1, .seconds = 0.3}) * 2;
    // Truncated at many points, from inside the headers to the last page.
    for (std::size_t cut = 3; cut < ogg.size(); cut += std::max<std::size_t>(1, ogg.size() / 97)) {
        const Bytes part(ogg.begin(), ogg.begin() + long(cut));
        auto stream = MemoryStreamOf(part);
        try {
            auto reader = CreateSoundReader(*stream);
            const Bytes pcm = ReadAll(*reader);
            EXPECT_LE(int(pcm.size()), fullSize);
            reader->Rewind();
            ReadAll(*reader);
        } catch (const EFileOpenError&) {
        }
    }
    // Bytes flipped all over the audio pages: decoding goes on or stops, it never loops.
    const Tone longer{.rate = 22050, .channels = 1, .seconds = 3};
    Bytes damaged = OggFile(longer);
    for (std::size_t i = damaged.size() / 2; i < damaged.size(); i += 37)
        damaged[i] ^= 0x5A;
    auto stream = MemoryStreamOf(damaged);
    auto reader = CreateSoundReader(*stream);
    EXPECT_LE(int(ReadAll(*reader).size()), FrameCount(longer) * 2 + 4096);
}

TEST(OggVorbisReader, StreamErrorsPassThroughUnchanged) {
    const Bytes ogg = OggFile(Tone{.channels = 2, .seconds = 1.0});
    auto stream = CWindowStream::Over(ogg, 0, int(ogg.size()));
    stream->State().failAfterBytes = long(ogg.size() / 2);
    try {
        auto reader = CreateSoundReader(*stream);
        ReadAll(*reader);
        ADD_FAILURE() << "the injected failure did not come through";
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetMessage(), "injected read failure");
    }
    // During the open as well, at every read of it: the error comes through and the decoder's
    // state goes with it (the leak checker watches).
    auto clean = CWindowStream::Over(ogg, 0, int(ogg.size()));
    CreateSoundReader(*clean);
    const long long openReads = clean->State().bytesRead;
    for (long long failAt = 0; failAt < openReads; failAt += 256) {
        auto early = CWindowStream::Over(ogg, 0, int(ogg.size()));
        early->State().failAfterBytes = failAt;
        EXPECT_THROW(CreateSoundReader(*early), EReadError) << failAt;
    }
}

TEST(OggVorbisReader, AnOpenReaderCanBeOpenedAgain) {
    auto first = MemoryStreamOf(OggFile(Tone{.rate = 44100, .channels = 2, .seconds = 0.2}));
    auto second = MemoryStreamOf(OggFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.3}));
    COggVorbisReader reader;
    reader.Open(*first);
    reader.Open(*second);
    EXPECT_EQ(reader.GetFormat()->nChannels, 1);
    EXPECT_EQ(reader.GetSize(), FrameCount(Tone{.rate = 22050, .seconds = 0.3}) * 2);
}
