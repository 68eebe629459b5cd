#include "sound/StaticSound.h"
#include "tests/sound/support/BytesReader.h"
#include "tests/sound/support/FakeSoundDevice.h"
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/Waiting.h"
#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

using namespace vintara;
using namespace soundtest;

TEST(StaticSound, HoldsTheWholeSoundAndPlaysItFromTheStartEachTime) {
    CFakeSoundDevice device({.speed = 4.0});
    const Tone tone{.rate = 22050, .channels = 1, .seconds = 0.3};
    auto file = MemoryStreamOf(WaveFile(tone));
    CStaticSound sound(kBufferCtrlVolume);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    EXPECT_EQ(buffer->desc.flags, kBufferCtrlVolume | kBufferLocSoftware);
    EXPECT_EQ(buffer->ring, SinePcm(tone));

    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 30));
    sound.Play();
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 30));
    std::lock_guard lock(buffer->mutex);
    Bytes twice = SinePcm(tone);
    Append(twice, SinePcm(tone));
    EXPECT_EQ(buffer->played, twice);
}

TEST(StaticSound, DeferredPlacementWithoutSoftwareBuffersAndLoopingByTheFlag) {
    CFakeSoundDevice device({.speed = 4.0, .softwareBuffers = false});
    auto file = MemoryStreamOf(WaveFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.1}));
    CStaticSound sound(0);
    sound.SetLooping(true);
    sound.Create(device, *file);
    EXPECT_EQ(device.LastBuffer()->desc.flags, kBufferLocDefer);
    sound.Play();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_TRUE(device.LastBuffer()->looping);
    sound.Stop();
}

TEST(StaticSound, ALostBufferIsRefilledFromTheDecodedCopyOnPlay) {
    CFakeSoundDevice device;
    const Bytes pcm = SinePcm(Tone{.rate = 22050, .channels = 1, .seconds = 0.1});
    CBytesReader reader(pcm, 1, 16, 22050);
    CStaticSound sound(0);
    sound.Load(device, reader);
    auto buffer = device.LastBuffer();
    {
        std::lock_guard lock(buffer->mutex);
        std::fill(buffer->ring.begin(), buffer->ring.end(), 0x11);
        buffer->lost = true;
    }
    sound.Play();
    std::lock_guard lock(buffer->mutex);
    EXPECT_FALSE(buffer->lost);
    EXPECT_EQ(buffer->ring, pcm);
    EXPECT_TRUE(buffer->playing);
}

TEST(StaticSound, ADataChunkShorterThanItClaimsIsPaddedWithSilenceAndFailuresLeaveNoBuffer) {
    CFakeSoundDevice device;
    Bytes wave = RiffBuilder()
                     .Chunk("fmt ", PcmFormatBlock(22050, 1, 8))
                     .ChunkDeclaring("data", 100, Bytes(40, 0x33))
                     .Build();
    auto file = MemoryStreamOf(wave);
    CStaticSound sound(0);
    sound.Create(device, *file);
    EXPECT_EQ(device.LastBuffer()->ring, Bytes(40, 0x33)); // the size is what the file holds

    struct LyingReader : CBytesReader {
        using CBytesReader::CBytesReader;
        int GetSize() override { return 100; }
    } lying(Bytes(40, 0x33), 1, 8, 22050);
    sound.Load(device, lying);
    Bytes padded(40, 0x33);
    padded.resize(100, 0x80);
    EXPECT_EQ(device.LastBuffer()->ring, padded);

    device.FailBufferCreation(1);
    auto again = MemoryStreamOf(wave);
    try {
        sound.Create(device, *again);
        ADD_FAILURE();
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetMessage(), Utf8ToAnsi("サウンドバッファの作成に失敗しました."));
    }
    EXPECT_FALSE(sound.HasBuffer());
    sound.Play();
    EXPECT_FALSE(sound.IsPlaying());
}
