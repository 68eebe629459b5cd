// Streaming sounds on the simulated device: what the play cursor passed is compared with the
// sound's own bytes.
#include "sound/StreamingSound.h"
#include "sound/SoundTrackList.h"
#include "tests/sound/support/FakeSoundDevice.h"
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/TestStreams.h"
#include "tests/sound/support/Waiting.h"
#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

#include <future>

using namespace vintara;
using namespace soundtest;

namespace {

constexpr std::uint32_t kFlags = CSoundTrackList::kTrackFlags;

CFakeSoundDevice::Options Fast() { return {.speed = 8.0}; }

Bytes Played(FakeBufferState& state) {
    std::lock_guard lock(state.mutex);
    return state.played;
}

// Where the play cursor was when the buffer last stopped: a new start plays from there on.
std::size_t LastStop(FakeBufferState& state) {
    std::lock_guard lock(state.mutex);
    return state.stopsAt.empty() ? 0 : std::size_t(state.stopsAt.back());
}

long long PlayedBytes(FakeBufferState& state) {
    std::lock_guard lock(state.mutex);
    return static_cast<long long>(state.played.size());
}

// The bytes `pcm` repeated to `bytes`.
Bytes Repeated(const Bytes& pcm, std::size_t bytes) {
    Bytes out;
    while (out.size() < bytes)
        Append(out, pcm);
    out.resize(bytes);
    return out;
}

void ExpectCleanPlayback(FakeBufferState& state) {
    std::lock_guard lock(state.mutex);
    EXPECT_EQ(state.underruns, 0);
    EXPECT_EQ(state.writesIntoPlaying, 0);
}

} // namespace

TEST(StreamingSound, PlaysAWaveOnceAndStopsWithinASegmentAfterItsEnd) {
    // Twice real time, not Fast(): the stop position is measured, and at eight times a thread's
    // few milliseconds of wake-up on a loaded machine would already be a segment.
    CFakeSoundDevice device({.speed = 2.0});
    const Tone tone{.seconds = 0.5};
    const Bytes pcm = SinePcm(tone);
    auto file = MemoryStreamOf(WaveFile(tone));
    CStreamingSound sound(kFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    EXPECT_EQ(buffer->desc.flags, 0x8080u | 0x108u);
    EXPECT_EQ(buffer->desc.bytes, 352768);
    EXPECT_FALSE(sound.IsPlaying());

    sound.Play();
    EXPECT_TRUE(sound.IsPlaying()); // at once, not when a thread gets round to it
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 30));
    const Bytes played = Played(*buffer);
    ASSERT_GE(played.size(), pcm.size());
    EXPECT_EQ(Bytes(played.begin(), played.begin() + long(pcm.size())), pcm);
    EXPECT_EQ(Bytes(played.begin() + long(pcm.size()), played.end()),
              Bytes(played.size() - pcm.size(), 0));
    // Stopped by the engine half a segment after its last byte, and within about one more
    // segment: mixer periods and the wake-up of a thread.
    ASSERT_EQ(buffer->stopsAt.size(), 1u);
    EXPECT_GE(buffer->stopsAt[0], (long long)pcm.size() + 11024);
    EXPECT_LE(buffer->stopsAt[0], (long long)pcm.size() + 2 * 22048);
    ExpectCleanPlayback(*buffer);
}

TEST(StreamingSound, PlaysOggVorbisAsItDecodes) {
    CFakeSoundDevice device(Fast());
    const Tone tone{.rate = 22050, .channels = 1, .seconds = 2.5};
    const Bytes ogg = OggFile(tone);
    auto decodedStream = MemoryStreamOf(ogg);
    const auto reader = CreateSoundReader(*decodedStream);
    Bytes decoded(std::size_t(reader->GetSize()));
    ASSERT_EQ(reader->Read(decoded.data(), int(decoded.size())), int(decoded.size()));

    auto file = MemoryStreamOf(ogg);
    CStreamingSound sound(kFlags);
    sound.Create(device, *file);
    EXPECT_EQ(device.LastBuffer()->desc.bytes, 88192);
    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 30));
    const Bytes played = Played(*device.LastBuffer());
    ASSERT_GE(played.size(), decoded.size());
    EXPECT_EQ(Bytes(played.begin(), played.begin() + long(decoded.size())), decoded);
    ExpectCleanPlayback(*device.LastBuffer());
}

TEST(StreamingSound, LoopsAShortSoundSampleExactly) {
    CFakeSoundDevice device(Fast());
    const Tone tone{.frequency = 441, .seconds = 0.05}; // 2205 frames, shorter than a segment
    const Bytes pcm = SinePcm(tone);
    auto file = MemoryStreamOf(WaveFile(tone));
    CStreamingSound sound(kFlags);
    sound.SetLooping(true);
    sound.Create(device, *file);
    sound.Play();
    auto buffer = device.LastBuffer();
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > 3 * 352768; }, 30));
    EXPECT_TRUE(sound.IsPlaying());
    const Bytes played = Played(*buffer);
    EXPECT_EQ(played, Repeated(pcm, played.size()));
    ExpectCleanPlayback(*buffer);

    // Looping off: the pass in progress plays to its end, then the sound stops.
    sound.SetLooping(false);
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 30));
    const Bytes all = Played(*buffer);
    std::size_t lastSound = all.size();
    while (lastSound > 0 && all[lastSound - 1] == 0)
        --lastSound;
    EXPECT_EQ(Bytes(all.begin(), all.begin() + long(lastSound)), Repeated(pcm, lastSound));
    EXPECT_LT((pcm.size() - lastSound % pcm.size()) % pcm.size(), 8u)
        << "the last pass was cut short";
}

TEST(StreamingSound, StopThenPlayGoesOnFromTheDecoderAndRewindStartsOver) {
    CFakeSoundDevice device(Fast());
    // Every frame carries its own index (left: low 16 bits, right: high), so each played
    // frame tells where in the sound it came from.
    const int frames = 44100 * 6;
    Bytes pcm;
    for (int i = 0; i < frames; ++i) {
        PutLittleEndian(pcm, std::uint32_t(i) & 0xFFFF, 2);
        PutLittleEndian(pcm, std::uint32_t(i) >> 16, 2);
    }
    auto indexAt = [](const Bytes& played, std::size_t byte) {
        return int(played[byte] | played[byte + 1] << 8 | played[byte + 2] << 16 |
                   played[byte + 3] << 24);
    };
    auto file = MemoryStreamOf(WaveFileOf(pcm, 44100, 2, 16));
    CStreamingSound sound(kFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > 100000; }, 30));
    sound.Stop();
    EXPECT_FALSE(sound.IsPlaying());
    const std::size_t first = LastStop(*buffer);
    const int lastBeforeStop = indexAt(Played(*buffer), first - 4);

    // A new start refills the ring from where the decoder is: past what had been buffered,
    // at a segment boundary of the data.
    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > (long long)first + 4; }, 30));
    const int resumedAt = indexAt(Played(*buffer), first);
    EXPECT_GE(resumedAt, 352768 / 4);
    EXPECT_GT(resumedAt, lastBeforeStop + 1);
    EXPECT_EQ(resumedAt % (22048 / 4), 0);

    // Rewind while playing: from the first frame again.
    sound.Rewind();
    EXPECT_TRUE(sound.IsPlaying());
    const std::size_t rewoundAt = LastStop(*buffer);
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > (long long)rewoundAt + 4; }, 30));
    EXPECT_EQ(indexAt(Played(*buffer), rewoundAt), 0);

    // Rewind while stopped: the next start is from the first frame.
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > (long long)rewoundAt + 40000; }, 30));
    sound.Stop();
    sound.Rewind();
    const std::size_t stoppedAt = LastStop(*buffer);
    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > (long long)stoppedAt + 400; }, 30));
    const Bytes played = Played(*buffer);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(indexAt(played, stoppedAt + std::size_t(i) * 4), i);
    ExpectCleanPlayback(*buffer);
}

TEST(StreamingSound, ANotificationBeforeTheCursorLeftASegmentRefillsNothing) {
    CFakeSoundDevice device({.speed = 1.0});
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 5}));
    CStreamingSound sound(kFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    sound.Play();
    long long locks = 0;
    {
        std::lock_guard lock(buffer->mutex);
        locks = buffer->lockCalls;
        buffer->pending[5] = true; // "segment 5 played" while the cursor is still in segment 0
        buffer->changed.notify_all();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    {
        std::lock_guard lock(buffer->mutex);
        if (buffer->cursor < 22048 - 1323) { // the cursor had not left segment 0 meanwhile
            EXPECT_EQ(buffer->lockCalls, locks);
        }
    }
}

TEST(StreamingSound, FailedCreationLeavesNoBuffer) {
    CFakeSoundDevice device(Fast());
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 0.2}));
    CStreamingSound sound(kFlags);

    device.FailBufferCreation(1);
    try {
        sound.Create(device, *file);
        ADD_FAILURE();
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetMessage(), Utf8ToAnsi("サウンドバッファの作成に失敗しました."));
        EXPECT_EQ(error.GetSource(), "class vintara::CStreamingSound");
    }
    EXPECT_FALSE(sound.HasBuffer());
    sound.Play();
    EXPECT_FALSE(sound.IsPlaying());

    device.FailNotifications(true);
    try {
        sound.Create(device, *file);
        ADD_FAILURE();
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetMessage(), Utf8ToAnsi("DirectSoundNotify の作成に失敗しました."));
    }
    EXPECT_FALSE(sound.HasBuffer());
    EXPECT_TRUE(device.LastBuffer()->released);
    device.FailNotifications(false);

    // A format no ring can be made of (block align 0) is refused before any buffer.
    Bytes format = PcmFormatBlock(44100, 2, 16);
    format[12] = format[13] = 0;
    auto broken =
        MemoryStreamOf(RiffBuilder().Chunk("fmt ", format).Chunk("data", Bytes(64, 1)).Build());
    EXPECT_THROW(sound.Create(device, *broken), EReadError);
    auto text = MemoryStreamOf(Bytes(100, 'x'));
    EXPECT_THROW(sound.Create(device, *text), EInvalidFileFormat);
    EXPECT_FALSE(sound.HasBuffer());

    // Every operation without a buffer is harmless.
    sound.Stop();
    sound.Rewind();
    sound.FadeIn(100);
    sound.FadeOut(100);
    sound.SetVolume(-100);
    EXPECT_EQ(sound.GetVolume(), 0);
    EXPECT_EQ(sound.GetVolumeRaw(), 0);
    EXPECT_EQ(sound.GetPan(), 0);
}

TEST(StreamingSound, CreateOnAPlayingFadingSoundEndsBothThreadsFirst) {
    CFakeSoundDevice device({.speed = 1.0});
    auto first = MemoryStreamOf(WaveFile(Tone{.seconds = 5}));
    auto second = MemoryStreamOf(WaveFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.3}));
    CStreamingSound sound(kFlags);
    sound.SetLooping(true);
    sound.Create(device, *first);
    auto old = device.LastBuffer();
    sound.FadeIn(3000);
    EXPECT_TRUE(sound.IsFading());
    sound.Create(device, *second);
    EXPECT_FALSE(sound.IsFading());
    EXPECT_TRUE(old->released);
    EXPECT_FALSE(old->playing);
    EXPECT_FALSE(sound.IsPlaying());
    sound.Play();
    EXPECT_TRUE(sound.IsPlaying());
}

TEST(StreamingSound, AWindowPlaysLikeTheSameBytesAloneAndNothingOutsideIsRead) {
    CFakeSoundDevice device(Fast());
    for (const Bytes& file : {WaveFile(Tone{.seconds = 0.7}),
                              OggFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.7})}) {
        CStreamingSound alone(kFlags);
        auto plain = MemoryStreamOf(file);
        alone.Create(device, *plain);
        auto aloneBuffer = device.LastBuffer();
        alone.Play();

        Bytes container(5000, 0xA5);
        Append(container, file);
        Append(container, Bytes(3000, 0x5A));
        auto window = CWindowStream::Over(container, 5000, int(file.size()));
        CStreamingSound inside(kFlags);
        inside.Create(device, *window);
        auto insideBuffer = device.LastBuffer();
        inside.Play();

        ASSERT_TRUE(WaitUntil([&] { return !alone.IsPlaying() && !inside.IsPlaying(); }, 30));
        const Bytes a = Played(*aloneBuffer);
        const Bytes b = Played(*insideBuffer);
        const std::size_t common = std::min(a.size(), b.size());
        EXPECT_EQ(Bytes(a.begin(), a.begin() + long(common)),
                  Bytes(b.begin(), b.begin() + long(common)));
        EXPECT_EQ(window->State().outsideReads, 0);
        EXPECT_GE(window->State().clones, 1); // the sound works on a clone of its own
    }
}

TEST(StreamingSound, AStreamThatFailsWhilePlayingEndsTheSound) {
    CFakeSoundDevice device(Fast());
    const Bytes file = WaveFile(Tone{.seconds = 4});
    auto stream = CWindowStream::Over(file, 0, int(file.size()));
    stream->State().failAfterBytes = 400000;
    CStreamingSound sound(kFlags);
    sound.SetLooping(true);
    sound.Create(device, *stream);
    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 30));
    EXPECT_LT(PlayedBytes(*device.LastBuffer()), 400000 + 2 * 352768);
}

TEST(StreamingSound, AnEmptyLoopingSoundPlaysSilence) {
    CFakeSoundDevice device(Fast());
    auto file = MemoryStreamOf(
        RiffBuilder().Chunk("fmt ", PcmFormatBlock(44100, 2, 16)).Chunk("data", Bytes{}).Build());
    CStreamingSound sound(kFlags);
    sound.SetLooping(true);
    sound.Create(device, *file);
    sound.Play();
    auto buffer = device.LastBuffer();
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes(*buffer) > 2 * 352768; }, 30));
    EXPECT_TRUE(sound.IsPlaying());
    const Bytes played = Played(*buffer);
    EXPECT_EQ(played, Bytes(played.size(), 0));
}

TEST(StreamingSound, ABufferThatStaysLostFailsPlayInsteadOfHangingIt) {
    CFakeSoundDevice device(Fast());
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 1}));
    CStreamingSound sound(kFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    auto setLost = [&](bool lost, bool restorable) {
        std::lock_guard lock(buffer->mutex);
        buffer->lost = lost;
        buffer->restorable = restorable;
    };
    setLost(true, false);
    auto playing = std::async(std::launch::async, [&]() -> std::string {
        try {
            sound.Play();
            return "played";
        } catch (const EReadError& error) {
            return error.GetMessage();
        }
    });
    const bool returned = playing.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    if (!returned)
        setLost(true, true); // lets the hanging call go, so that the test ends
    ASSERT_TRUE(returned) << "Play waits for ever for the buffer to be restored";
    EXPECT_EQ(playing.get(), Utf8ToAnsi("サウンドバッファの復元に失敗しました."));
    EXPECT_FALSE(sound.IsPlaying());
    setLost(true, true);
    sound.Play();
    EXPECT_TRUE(sound.IsPlaying());
}
