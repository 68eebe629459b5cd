// The DirectSound device and sounds on it, under Wine with the PulseAudio null sink.
#include "sound/DXSound.h"
#include "sound/SoundTrackList.h"
#include "sound/StaticSound.h"
#include "sound/StreamingSound.h"
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/TestStreams.h"
#include "tests/sound/support/Waiting.h"
#include "tests/sound/support/Win32Files.h"
#include "vintara/Exception.h"
#include "vintara/FileStream.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace vintara;
using namespace soundtest;

namespace {

class Device : public ::testing::Test {
protected:
    void SetUp() override {
        device.SetWindow(window.Handle());
        ASSERT_TRUE(device.Initialize());
    }

    CTestWindow window;
    CDXSound device;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(DXSound, InitializesWithAPlayingPrimaryBufferAndFinalizesToNothing) {
    CTestWindow window;
    CDXSound device;
    EXPECT_FALSE(device.IsInitialized());
    EXPECT_EQ(device.CreateSoundBuffer({kBufferCtrlVolume, 4096, nullptr}), nullptr);
    device.SetWindow(window.Handle());
    ASSERT_TRUE(device.Initialize());
    EXPECT_TRUE(device.IsInitialized());
    ASSERT_NE(device.GetDirectSound(), nullptr);
    ASSERT_NE(device.GetPrimaryBuffer(), nullptr);
    DWORD status = 0;
    device.GetPrimaryBuffer()->GetStatus(&status);
    EXPECT_TRUE(status & DSBSTATUS_PLAYING);
    WAVEFORMATEX format{};
    device.GetPrimaryBuffer()->GetFormat(&format, sizeof format, nullptr);
    EXPECT_EQ(format.nSamplesPerSec, 44100u);
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.wBitsPerSample, 16);

    EXPECT_TRUE(device.Initialize()); // again: a fresh device, nothing leaked
    device.Finalize();
    EXPECT_FALSE(device.IsInitialized());
    EXPECT_EQ(device.GetDirectSound(), nullptr);
    EXPECT_EQ(device.GetPrimaryBuffer(), nullptr);
}

TEST_F(Device, VolumeScaleOnARealBuffer) {
    CTempFile file(WaveFile(Tone{.seconds = 1}));
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, stream);
    sound.SetVolume(-5000);
    EXPECT_EQ(sound.GetVolumeRaw(), -1414);
    sound.SetVolumeRaw(-1000);
    EXPECT_EQ(sound.GetVolume(), -3805);
    sound.SetVolume(0);
    EXPECT_EQ(sound.GetVolumeRaw(), 0);
    sound.SetVolume(-10000);
    EXPECT_EQ(sound.GetVolumeRaw(), -9786);
}

TEST_F(Device, ANonLoopingSoundEndsByItselfAndItsThreadEnds) {
    CTempFile file(WaveFile(Tone{.seconds = 0.5}));
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    const int threadsBefore = ThreadsOfThisProcess();
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, stream);
    const auto start = std::chrono::steady_clock::now();
    sound.Play();
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_GE(ThreadsOfThisProcess(), threadsBefore + 1);
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 10));
    const double ended = SecondsSince(start);
    EXPECT_GE(ended, 0.5);
    // About a segment after the end; Wine's mixer and a loaded machine add up to a few more.
    EXPECT_LE(ended, 0.5 + 0.125 + 0.375);
    EXPECT_TRUE(WaitUntil([&] { return ThreadsOfThisProcess() <= threadsBefore; }, 5));
}

TEST_F(Device, FadeOutEndsStoppedAtSilence) {
    CTempFile file(WaveFile(Tone{.seconds = 3}));
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, stream);
    sound.SetVolumeRaw(-1000);
    sound.FadeIn(300);
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsFading(); }, 10));
    EXPECT_EQ(sound.GetVolumeRaw(), -1000);
    sound.FadeOut(500);
    sound.FadeOut(5000); // ignored
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsFading(); }, 10));
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetVolumeRaw(), -10000);
}

TEST_F(Device, StaticSoundPlaysOnceFromItsOwnBuffer) {
    CTempFile file(WaveFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.3}));
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    CStaticSound sound(kBufferCtrlVolume);
    sound.Create(device, stream);
    sound.Play();
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 5));
    sound.SetLooping(true);
    sound.Play();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(sound.IsPlaying());
    sound.Stop();
}

TEST_F(Device, AFileWindowIsReadWithoutTouchingTheBytesAroundIt) {
    const Bytes wave = WaveFile(Tone{.seconds = 0.4});
    Bytes container(3000, 0x11);
    Append(container, wave);
    Append(container, Bytes(2000, 0x22));
    CTempFile file(container);
    auto outside = std::make_shared<std::atomic<int>>(0);
    CWatchedStream window(
        new CFilePartitionStream(3000, int(wave.size()), file.Path(), kAccessRead, kShareRead),
        outside);
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, window);
    sound.Play();
    EXPECT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }, 10));
    sound.Rewind();
    EXPECT_EQ(*outside, 0);
}

TEST_F(Device, ClearingTracksLeavesNoThreadOrHandleBehind) {
    CTempFile file(WaveFile(Tone{.seconds = 2}));
    // One round first, so that DirectSound's own threads and handles exist before counting.
    {
        CSoundTrackList warm;
        CFileStream stream(file.Path(), kAccessRead, kShareRead);
        warm.Get("x")->sound.Create(device, stream);
        warm.Get("x")->sound.Play();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const int threads = ThreadsOfThisProcess();
    const int handles = HandlesOfThisProcess();
    {
        CSoundTrackList list;
        for (int i = 0; i < 8; ++i) {
            const std::string name = "t" + std::to_string(i);
            CFileStream stream(file.Path(), kAccessRead, kShareRead);
            auto* track = list.Get(name);
            track->sound.SetLooping(true);
            track->sound.Create(device, stream);
            if (i % 2)
                track->sound.FadeIn(1000);
            else
                track->sound.Play();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_GE(ThreadsOfThisProcess(), threads + 8);
        list.Clear();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_LE(ThreadsOfThisProcess(), threads);
    EXPECT_LE(HandlesOfThisProcess(), handles);
}
