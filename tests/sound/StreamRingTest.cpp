// What the ring writes into each segment and when it sees the end, without buffer or threads.
#include "sound/StreamRing.h"
#include "tests/sound/support/BytesReader.h"
#include "tests/sound/support/SoundSamples.h"

#include <gtest/gtest.h>

using namespace vintara;
using namespace soundtest;

namespace {

Bytes Pattern(int bytes) {
    Bytes pcm;
    for (int i = 0; i < bytes; ++i)
        pcm.push_back(static_cast<unsigned char>(i % 251 + 1)); // never 0: silence stands out
    return pcm;
}

// Fills `segments` segments in order and returns everything written.
Bytes FillSegments(CStreamRing& ring, int segments, bool looping) {
    Bytes out;
    for (int i = 0; i < segments; ++i) {
        Bytes segment(std::size_t(ring.SegmentBytes()), 0xEE);
        ring.Fill(segment.data(), ring.SegmentBytes(), looping);
        Append(out, segment);
    }
    return out;
}

WaveFormat Format(int rate, int channels, int bits = 16) {
    CBytesReader reader({}, channels, bits, rate);
    return *reader.GetFormat();
}

} // namespace

TEST(StreamRing, GeometryIsTwoSecondsOfWholeBlocksInSixteenSegments) {
    EXPECT_EQ(CStreamRing::RingBytesFor(Format(44100, 2)), 352768);
    EXPECT_EQ(CStreamRing::RingBytesFor(Format(22050, 1)), 88192);
    EXPECT_EQ(CStreamRing::RingBytesFor(Format(48000, 2)), 384000);
    EXPECT_EQ(CStreamRing::RingBytesFor(Format(44100, 2)) / 16, 22048);
    EXPECT_EQ(CStreamRing::RingBytesFor(Format(22050, 1)) / 16, 5512);

    // Formats that cannot make a ring: no block size, too slow, beyond any buffer.
    WaveFormat broken = Format(44100, 2);
    broken.nBlockAlign = 0;
    EXPECT_EQ(CStreamRing::RingBytesFor(broken), 0);
    broken = Format(44100, 2);
    broken.nAvgBytesPerSec = 60;
    EXPECT_EQ(CStreamRing::RingBytesFor(broken), 0);
    broken.nAvgBytesPerSec = 0xFFFFFFFF;
    EXPECT_EQ(CStreamRing::RingBytesFor(broken), 0);
}

TEST(StreamRing, NonLoopingSoundEndsWithSilenceAndIsDoneWhenItsLastBytePlayed) {
    const Bytes pcm = Pattern(30000);
    CBytesReader reader(pcm, 2);
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), 352768);
    const Bytes out = FillSegments(ring, 3, false);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 30000), pcm);
    EXPECT_EQ(Bytes(out.begin() + 30000, out.end()), Bytes(out.size() - 30000, 0));
    EXPECT_TRUE(ring.EndOfData());
    EXPECT_EQ(ring.WriteOffset(), 3 * 22048);

    // Done half a segment after the cursor passed the last byte: what is mixed but not yet
    // heard must not be cut off by the stop.
    EXPECT_EQ(ring.EndMarginBytes(), 11024);
    EXPECT_EQ(ring.MillisecondsUntilPlayed(), (30000 + 11024) * 1000 / 176400 + 1);
    EXPECT_FALSE(ring.Played(22048));
    EXPECT_FALSE(ring.Played(30000));
    EXPECT_FALSE(ring.Played(30000 + 11020));
    EXPECT_TRUE(ring.Played(30000 + 11024));
    EXPECT_EQ(ring.MillisecondsUntilPlayed(), 0);
}

TEST(StreamRing, EightBitSilenceIsTheMidpoint) {
    CBytesReader reader(Pattern(10), 1, 8, 22050);
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), CStreamRing::RingBytesFor(*reader.GetFormat()));
    const Bytes out = FillSegments(ring, 1, false);
    EXPECT_EQ(out[10], 0x80);
    EXPECT_EQ(out.back(), 0x80);
}

TEST(StreamRing, LoopingJoinsPassesSampleExactlyAlsoWhenShorterThanASegment) {
    const Bytes pcm = Pattern(4000); // about 23 ms of 44.1 kHz stereo
    CBytesReader reader(pcm, 2);
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), 352768);
    const Bytes out = FillSegments(ring, 20, true); // wraps the ring, too
    for (std::size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], pcm[i % pcm.size()]) << i;
    EXPECT_FALSE(ring.EndOfData());
    EXPECT_GT(reader.rewinds, 100);
}

TEST(StreamRing, APartialFrameAtTheEndOfAPassIsDroppedSoPassesStayOnFrames) {
    const Bytes pcm = Pattern(4002); // 1000 stereo frames and half of one
    CBytesReader reader(pcm, 2);
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), 352768);
    const Bytes out = FillSegments(ring, 2, true);
    for (std::size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], pcm[i % 4000]) << i;
}

TEST(StreamRing, LoopingSoundWithoutAWholeFrameGivesSilenceWithoutSpinning) {
    for (int bytes : {0, 3}) { // nothing at all, less than one stereo frame
        CBytesReader reader(Pattern(bytes), 2);
        CStreamRing ring;
        ring.Attach(&reader, *reader.GetFormat(), 352768);
        const Bytes out = FillSegments(ring, 4, true);
        EXPECT_EQ(out, Bytes(out.size(), 0));
        EXPECT_LE(reader.rewinds, 8);
        EXPECT_FALSE(ring.EndOfData());
    }
}

TEST(StreamRing, LoopingTurnedOffAfterManyPassesStillPlaysTheLastPassToItsEnd) {
    const Bytes pcm = Pattern(8000);
    CBytesReader reader(pcm, 2);
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), 352768);
    long long written = 0;
    int cursor = 0;
    auto play = [&](int segments, bool looping) {
        bool done = false;
        for (int i = 0; i < segments && !done; ++i) {
            Bytes segment(22048);
            ring.Fill(segment.data(), 22048, looping);
            written += 22048;
            cursor = (cursor + 22048) % 352768;
            done = ring.Played(cursor);
        }
        return done;
    };
    EXPECT_FALSE(play(100, true)); // 100 segments: many times the sound
    // Looping off: the data runs out within the next pass; the sound is done only once the
    // cursor has passed that point, not at the first refill after it.
    const long long before = written;
    Bytes segment(22048);
    ring.Fill(segment.data(), 22048, false);
    const long long endAt = before + (8000 - before % 8000); // where the pass in progress ends
    EXPECT_TRUE(ring.EndOfData());
    const long long doneAt = endAt + ring.EndMarginBytes();
    EXPECT_FALSE(ring.Played(int((doneAt - 4) % 352768)));
    EXPECT_TRUE(ring.Played(int(doneAt % 352768)));
}

TEST(StreamRing, AFailingDecoderEndsTheSoundInsteadOfThrowing) {
    CBytesReader reader(Pattern(50000), 2);
    reader.failAt = 30000;
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), 352768);
    Bytes out;
    EXPECT_NO_THROW(out = FillSegments(ring, 3, true));
    EXPECT_TRUE(ring.EndOfData());
    EXPECT_EQ(Bytes(out.begin() + 22048, out.end()), Bytes(out.size() - 22048, 0));
    EXPECT_EQ(reader.rewinds, 0);
}

TEST(StreamRing, RewindStartsTheDataAgainAndForgetsTheEnd) {
    const Bytes pcm = Pattern(1000);
    CBytesReader reader(pcm, 2);
    CStreamRing ring;
    ring.Attach(&reader, *reader.GetFormat(), 352768);
    FillSegments(ring, 1, false);
    EXPECT_TRUE(ring.EndOfData());
    ring.Rewind();
    ring.Restart();
    EXPECT_FALSE(ring.EndOfData());
    const Bytes again = FillSegments(ring, 1, false);
    EXPECT_EQ(Bytes(again.begin(), again.begin() + 1000), pcm);
}
