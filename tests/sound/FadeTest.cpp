// Fades on the simulated device: the attenuations the fade thread set, against the time.
#include "sound/SoundTrackList.h"
#include "sound/StreamingSound.h"
#include "sound/VolumeScale.h"
#include "tests/sound/support/FakeSoundDevice.h"
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/Waiting.h"

#include <gtest/gtest.h>

using namespace vintara;
using namespace soundtest;

namespace {

using Trace = std::vector<std::pair<double, int>>;

Trace VolumesSince(FakeBufferState& state, std::size_t from) {
    std::lock_guard lock(state.mutex);
    return Trace(state.volumes.begin() + long(std::min(from, state.volumes.size())),
                 state.volumes.end());
}

std::size_t VolumeCount(FakeBufferState& state) {
    std::lock_guard lock(state.mutex);
    return state.volumes.size();
}

// Each step of a ramp from `from` to `to` over `ms` set at time t (since the first value) must
// lie on the curve at some moment between t - 250 ms and t: the fade computes it from the time
// it read a little earlier, and a loaded machine may hold the thread between the two.
void ExpectOnTheCurve(const Trace& trace, int from, int to, int ms) {
    ASSERT_GE(trace.size(), 2u);
    const double t0 = trace.front().first;
    const long long a = AttenuationToVolume(from);
    const long long b = AttenuationToVolume(to);
    auto at = [&](double seconds) {
        const long long e = std::clamp<long long>((long long)(seconds * 1000), 0, ms);
        return VolumeToAttenuation(int(a + e * (b - a) / ms));
    };
    for (std::size_t i = 1; i + 1 < trace.size(); ++i) {
        if (trace[i].second == from)
            continue; // the start value itself, set before the first step
        const double t = trace[i].first - t0;
        const int low = std::min(at(t - 0.250), at(t + 0.005));
        const int high = std::max(at(t - 0.250), at(t + 0.005));
        EXPECT_GE(trace[i].second, low - 1) << "at " << t;
        EXPECT_LE(trace[i].second, high + 1) << "at " << t;
    }
}

} // namespace

TEST(Fade, FadeInStartsSilentAndEndsExactlyAtTheStoredVolume) {
    CFakeSoundDevice device;
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 3}));
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    sound.SetVolumeRaw(-1000);
    const std::size_t mark = VolumeCount(*buffer);

    sound.FadeIn(600);
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_TRUE(sound.IsFading());
    sound.FadeIn(600); // ignored while fading
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsFading(); }, 30));
    EXPECT_EQ(sound.GetVolumeRaw(), -1000);
    EXPECT_TRUE(sound.IsPlaying());

    const Trace trace = VolumesSince(*buffer, mark);
    ASSERT_GE(trace.size(), 4u);
    EXPECT_EQ(trace.front().second, -10000);
    EXPECT_EQ(trace.back().second, -1000);
    for (std::size_t i = 1; i < trace.size(); ++i)
        EXPECT_GE(trace[i].second, trace[i - 1].second); // rising only: one fade, not two
    ExpectOnTheCurve(trace, -10000, -1000, 600);
    EXPECT_GE(trace.back().first - trace.front().first, 0.6);
}

TEST(Fade, FadeOutEndsStoppedAtSilenceAndIgnoresASecondRequest) {
    CFakeSoundDevice device;
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 3}));
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();

    sound.FadeOut(300); // not playing: nothing
    EXPECT_FALSE(sound.IsFading());
    EXPECT_EQ(VolumeCount(*buffer), 0u);

    sound.Play();
    const std::size_t mark = VolumeCount(*buffer);
    sound.FadeOut(400);
    sound.FadeOut(5000); // ignored: the first fade goes on with its own length
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsFading(); }, 30));
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetVolumeRaw(), -10000);
    const Trace trace = VolumesSince(*buffer, mark);
    EXPECT_LT(trace.back().first - trace.front().first, 3.0);
    ExpectOnTheCurve(trace, 0, -10000, 400);
}

TEST(Fade, AFadeWhoseSoundEndsLeavesAfterOneSecondWithTheEndVolume) {
    CFakeSoundDevice device;
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 0.2}));
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();
    sound.SetVolumeRaw(-500);
    const auto started = std::chrono::steady_clock::now();
    sound.FadeIn(20000);
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsFading(); }, 30));
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GE(took, 1.0);
    EXPECT_LT(took, 15.0); // nowhere near the 20 s of the fade
    EXPECT_EQ(sound.GetVolumeRaw(), -500);
}

TEST(Fade, DestroyingASoundWhileItFadesAndPlays) {
    CFakeSoundDevice device;
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 2}));
    for (int i = 0; i < 5; ++i) {
        CStreamingSound sound(CSoundTrackList::kTrackFlags);
        sound.SetLooping(true);
        sound.Create(device, *file);
        sound.FadeIn(1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(10 * i));
    }
    for (auto& buffer : device.Buffers()) {
        EXPECT_TRUE(buffer->released);
        EXPECT_FALSE(buffer->playing);
    }
}

TEST(Fade, AFadeOutOrAVolumeDuringAFadeInTakesOverFromWhereItWas) {
    CFakeSoundDevice device;
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 3}));
    CStreamingSound sound(CSoundTrackList::kTrackFlags);
    sound.SetLooping(true);
    sound.Create(device, *file);
    auto buffer = device.LastBuffer();

    sound.FadeIn(2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    sound.FadeOut(300);
    ASSERT_TRUE(WaitUntil([&] { return !sound.IsFading(); }, 30));
    EXPECT_FALSE(sound.IsPlaying()) << "a looping sound faded out during its fade-in plays on";
    EXPECT_EQ(sound.GetVolumeRaw(), kSilentVolume);
    int loudest = kSilentVolume;
    for (const auto& [when, attenuation] : VolumesSince(*buffer, 0))
        loudest = std::max(loudest, attenuation);
    EXPECT_LT(loudest, -500) << "the fade-in went on to full volume";

    sound.SetVolumeRaw(0);
    sound.FadeIn(1000);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    sound.SetVolumeRaw(-3000);
    EXPECT_FALSE(sound.IsFading());
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_EQ(sound.GetVolumeRaw(), -3000) << "the fade's end overwrote the volume set meanwhile";
    EXPECT_TRUE(sound.IsPlaying());
}
