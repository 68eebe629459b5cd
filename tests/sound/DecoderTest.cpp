// The factory and the RIFF WAVE reader over streams the tests build byte by byte.
#include "sound/RIFFReader.h"
#include "sound/SoundReader.h"
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/TestStreams.h"
#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vintara;
using namespace soundtest;

namespace {

std::string Ansi(const char* utf8) { return Utf8ToAnsi(utf8); }

Bytes ReadAll(ISoundReader& reader, int chunk = 1000) {
    Bytes all;
    Bytes buffer(std::size_t(chunk > 0 ? chunk : 1));
    for (int guard = 0; guard < 1'000'000; ++guard) {
        const int got = reader.Read(buffer.data(), chunk);
        if (got <= 0)
            break;
        all.insert(all.end(), buffer.begin(), buffer.begin() + got);
    }
    return all;
}

template <class E> E CaptureFrom(const Bytes& file) {
    auto stream = MemoryStreamOf(file);
    try {
        CreateSoundReader(*stream);
    } catch (const E& error) {
        return error;
    }
    ADD_FAILURE() << "expected " << typeid(E).name();
    return E("");
}

Bytes Pcm(int bytes) {
    Bytes pcm;
    for (int i = 0; i < bytes; ++i)
        pcm.push_back(static_cast<unsigned char>(i * 7 + 3));
    return pcm;
}

Bytes Format16() {
    Bytes format = PcmFormatBlock(44100, 2, 16);
    format.resize(16);
    return format;
}

} // namespace

TEST(CreateSoundReader, ChoosesByTheFirstBytesAndLeavesThePosition) {
    const Bytes wave = WaveFile(Tone{.seconds = 0.01});
    auto stream = MemoryStreamOf(wave);
    auto reader = CreateSoundReader(*stream);
    EXPECT_EQ(reader->GetFormat()->nChannels, 2);

    // A RIFF form that is not WAVE is refused by the factory itself: its message, no source.
    const auto error = CaptureFrom<EInvalidFileFormat>(RiffBuilder("AVI ").Build());
    EXPECT_EQ(error.GetMessage(), Ansi("CreateSoundReader(): 対応していない音声フォーマットです."));
    EXPECT_EQ(error.GetSource(), "");
    EXPECT_EQ(ErrorReport(error),
              Ansi("例外: class vintara::EInvalidFileFormat\n発生元: 不明\n詳細: "
                   "CreateSoundReader(): 対応していない音声フォーマットです."));

    // Shorter than the header: zeros fill the rest, nothing matches.
    CaptureFrom<EInvalidFileFormat>(Bytes{'R', 'I', 'F'});
    CaptureFrom<EInvalidFileFormat>(Bytes{});
    CaptureFrom<EInvalidFileFormat>(Bytes{'O', 'g'});

    // A sound that starts further into the stream is read from there.
    Bytes shifted(100, 0xEE);
    Append(shifted, wave);
    auto later = MemoryStreamOf(shifted);
    later->Seek(100, kSeekBegin);
    auto shiftedReader = CreateSoundReader(*later);
    EXPECT_EQ(ReadAll(*shiftedReader), SinePcm(Tone{.seconds = 0.01}));
}

TEST(CreateSoundReader, AnythingStartingWithOggGoesToTheOggDecoder) {
    Bytes garbage = {'O', 'g', 'g', 'S'};
    Append(garbage, Pcm(300));
    const auto error = CaptureFrom<EFileOpenError>(garbage);
    EXPECT_EQ(error.GetMessage(), Ansi("OggVorbisファイルのオープンに失敗しました."));
    EXPECT_EQ(error.GetSource(), "class vintara::COggVorbisReader");
    CaptureFrom<EFileOpenError>(Bytes{'O', 'g', 'g'});
}

TEST(WaveSoundReader, PassesTheDataChunkThroughAndRewinds) {
    for (const Tone& tone : {Tone{.rate = 22050, .channels = 1, .seconds = 0.2},
                             Tone{.rate = 44100, .channels = 2, .seconds = 0.3},
                             Tone{.rate = 11025, .channels = 1, .bits = 8, .seconds = 0.1}}) {
        auto stream = MemoryStreamOf(WaveFile(tone));
        auto reader = CreateSoundReader(*stream);
        const WaveFormat& format = *reader->GetFormat();
        EXPECT_EQ(format.wFormatTag, 1);
        EXPECT_EQ(int(format.nSamplesPerSec), tone.rate);
        EXPECT_EQ(format.wBitsPerSample, tone.bits);
        EXPECT_EQ(format.cbSize, 0); // a 16-byte "fmt " chunk grows to 18 bytes
        const Bytes pcm = SinePcm(tone);
        EXPECT_EQ(reader->GetSize(), int(pcm.size()));
        EXPECT_EQ(ReadAll(*reader, 777), pcm);
        EXPECT_EQ(reader->Read(nullptr, 0), 0);
        reader->Rewind();
        EXPECT_EQ(ReadAll(*reader, 4096), pcm);
    }
}

TEST(WaveSoundReader, KeepsALongFormatBlockWholeAndNeverShortOfItsCbSize) {
    Bytes extensible = PcmFormatBlock(48000, 2, 16);
    extensible[0] = 0xFE;
    extensible[1] = 0xFF;
    extensible[16] = 22; // cbSize
    for (int i = 0; i < 22; ++i)
        extensible.push_back(static_cast<unsigned char>(0xA0 + i));
    auto stream =
        MemoryStreamOf(RiffBuilder().Chunk("fmt ", extensible).Chunk("data", Pcm(8)).Build());
    auto reader = CreateSoundReader(*stream);
    EXPECT_EQ(std::memcmp(reader->GetFormat(), extensible.data(), extensible.size()), 0);

    // An 18-byte chunk whose cbSize claims 22 more bytes: those bytes exist, as zeros.
    Bytes lying = PcmFormatBlock(48000, 2, 16);
    lying[16] = 22;
    auto lyingStream =
        MemoryStreamOf(RiffBuilder().Chunk("fmt ", lying).Chunk("data", Pcm(8)).Build());
    auto lyingReader = CreateSoundReader(*lyingStream);
    const auto* bytes = reinterpret_cast<const unsigned char*>(lyingReader->GetFormat());
    for (int i = 18; i < 40; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
}

TEST(WaveSoundReader, ChunkIndexRules) {
    // Two data chunks: the second plays.
    auto two = MemoryStreamOf(RiffBuilder()
                                  .Chunk("fmt ", Format16())
                                  .Chunk("data", Pcm(8))
                                  .Chunk("data", Bytes(12, 0x55))
                                  .Build());
    auto reader = CreateSoundReader(*two);
    EXPECT_EQ(ReadAll(*reader), Bytes(12, 0x55));

    // Odd chunks with and without their pad byte.
    const Bytes odd = {1, 2, 3};
    for (bool pad : {true, false}) {
        auto stream = MemoryStreamOf(RiffBuilder()
                                         .Chunk("fmt ", Format16())
                                         .Chunk("LIST", odd, pad)
                                         .Chunk("data", Pcm(16))
                                         .Build());
        auto padded = CreateSoundReader(*stream);
        EXPECT_EQ(ReadAll(*padded), Pcm(16)) << "pad " << pad;
    }
    // An odd data chunk at the end.
    auto oddData =
        MemoryStreamOf(RiffBuilder().Chunk("fmt ", Format16()).Chunk("data", Pcm(7)).Build());
    EXPECT_EQ(ReadAll(*CreateSoundReader(*oddData)), Pcm(7));

    // A RIFF size beyond the stream is cut to it; one that ends early hides later chunks.
    const Bytes whole = RiffBuilder().Chunk("fmt ", Format16()).Chunk("data", Pcm(40)).Build();
    auto big = MemoryStreamOf(
        RiffBuilder().Chunk("fmt ", Format16()).Chunk("data", Pcm(40)).Build(0x7FFFFFF0));
    EXPECT_EQ(ReadAll(*CreateSoundReader(*big)), Pcm(40));
    auto small = MemoryStreamOf(
        RiffBuilder().Chunk("fmt ", Format16()).Chunk("data", Pcm(40)).Build(4 + 24));
    const auto missing = [&] {
        try {
            CreateSoundReader(*small);
        } catch (const EReadError& error) {
            return error;
        }
        return EReadError("none");
    }();
    EXPECT_EQ(missing.GetMessage(), Ansi("指定されたRIFFチャンクが見つかりません - 0x61746164"));
    EXPECT_EQ(missing.GetSource(), "class vintara::CRIFFReader");
    (void)whole;
}

TEST(WaveSoundReader, LyingChunkSizesNeverLoopOrPromiseMissingData) {
    // A data chunk that declares more than the file holds: only what exists is size and data.
    auto longer = MemoryStreamOf(
        RiffBuilder().Chunk("fmt ", Format16()).ChunkDeclaring("data", 1'000'000, Pcm(64)).Build());
    auto reader = CreateSoundReader(*longer);
    EXPECT_EQ(reader->GetSize(), 64);
    EXPECT_EQ(ReadAll(*reader), Pcm(64));

    // Sizes with the top bit set (negative as int) step backwards if taken as signed: the walk
    // must still end, and find what lies before.
    for (std::uint32_t size : {0xFFFFFFF8u, 0xFFFFFFF0u, 0x80000000u, 0xFFFFFFFFu}) {
        auto stream = MemoryStreamOf(RiffBuilder()
                                         .Chunk("fmt ", Format16())
                                         .Chunk("data", Pcm(8))
                                         .ChunkDeclaring("junk", size, Pcm(8))
                                         .Build());
        EXPECT_EQ(ReadAll(*CreateSoundReader(*stream)), Pcm(8));
    }
    // A "fmt " chunk that claims gigabytes is read no further than the file.
    auto hugeFormat =
        MemoryStreamOf(RiffBuilder().ChunkDeclaring("fmt ", 0x7FFFFFFF, Format16()).Build());
    EXPECT_THROW(CreateSoundReader(*hugeFormat), EReadError); // no data chunk after it
}

TEST(WaveSoundReader, MissingChunksAndWrongForms) {
    const auto noData = CaptureFrom<EReadError>(RiffBuilder().Chunk("fmt ", Format16()).Build());
    EXPECT_EQ(noData.GetMessage(), Ansi("指定されたRIFFチャンクが見つかりません - 0x61746164"));
    const auto noFormat = CaptureFrom<EReadError>(RiffBuilder().Chunk("data", Pcm(4)).Build());
    EXPECT_EQ(noFormat.GetMessage(), Ansi("指定されたRIFFチャンクが見つかりません - 0x20746D66"));

    // The reader's own checks, reached when it is opened directly.
    CRIFFReader riff;
    auto notRiff = MemoryStreamOf(Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0});
    try {
        riff.Open(notRiff.get());
        ADD_FAILURE();
    } catch (const EInvalidFileFormat& error) {
        EXPECT_EQ(error.GetMessage(),
                  Ansi("ファイルフォーマットエラー: RIFFファイルではありません."));
        EXPECT_EQ(error.GetSource(), "class vintara::CRIFFReader");
    }
}

TEST(WaveSoundReader, TruncatedAnywhereFailsCleanlyOrReadsWhatIsThere) {
    const Bytes file = WaveFile(Tone{.channels = 1, .seconds = 0.005});
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
        const Bytes part(file.begin(), file.begin() + long(cut));
        auto stream = MemoryStreamOf(part);
        try {
            auto reader = CreateSoundReader(*stream);
            const Bytes pcm = ReadAll(*reader, 333);
            EXPECT_EQ(int(pcm.size()), reader->GetSize());
            EXPECT_LE(pcm.size(), cut);
        } catch (const EException&) {
        }
    }
}

TEST(WaveSoundReader, StreamErrorsPassThroughUnchanged) {
    Bytes file = WaveFile(Tone{.seconds = 0.05});
    auto stream = CWindowStream::Over(file, 0, int(file.size()));
    stream->State().failAfterBytes = 2000;
    auto reader = CreateSoundReader(*stream);
    try {
        ReadAll(*reader);
        ADD_FAILURE();
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetMessage(), "injected read failure");
        EXPECT_EQ(error.GetSource(), "class soundtest::CWindowStream");
    }
}
