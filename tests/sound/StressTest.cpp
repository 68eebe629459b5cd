// Random play, stop, fade, loop, volume, rewind and remove calls on eight tracks while the
// refill and fade threads run, then a clear: nothing may crash, hang or be left playing. Run
// under ThreadSanitizer as well. SOUND_STRESS_SECONDS lengthens it.
#include "sound/SoundTrackList.h"
#include "tests/sound/support/FakeSoundDevice.h"
#include "tests/sound/support/SoundSamples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace soundtest;

TEST(TrackStress, RandomCallsOnEightTracksThenClear) {
    const char* configured = std::getenv("SOUND_STRESS_SECONDS");
    const double seconds = configured ? std::atof(configured) : 3.0;
    CFakeSoundDevice device({.speed = 2.0});
    const std::vector<Bytes> files = {
        WaveFile(Tone{.seconds = 0.03}), WaveFile(Tone{.rate = 22050, .channels = 1, .seconds = 1}),
        OggFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.4}),
        WaveFile(Tone{.rate = 8000, .channels = 1, .bits = 8, .seconds = 0.5})};
    std::vector<std::unique_ptr<vintara::CMemoryStream>> streams;
    for (const Bytes& file : files)
        streams.push_back(MemoryStreamOf(file));

    CSoundTrackList list;
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int calls = 0;
    while (std::chrono::steady_clock::now() < end) {
        const std::string name = "track" + std::to_string(pick(8));
        auto* track = list.Get(name);
        switch (pick(10)) {
        case 0:
        case 1:
            track->sound.Create(device, *streams[std::size_t(pick(int(streams.size())))]);
            list.ApplyVolume(name);
            if (pick(2))
                track->sound.Play();
            else
                track->sound.FadeIn(pick(400));
            break;
        case 2: track->sound.Stop(); break;
        case 3: track->sound.FadeOut(pick(300)); break;
        case 4: track->sound.SetLooping(pick(2) == 0); break;
        case 5: list.SetVolume(name, -pick(10001)); break;
        case 6: track->sound.Rewind(); break;
        case 7: track->sound.Play(); break;
        case 8: track->sound.IsPlaying(); break;
        case 9:
            if (pick(4) == 0)
                list.Remove(name);
            break;
        }
        ++calls;
        if (pick(8) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pick(20)));
    }
    list.Clear();
    EXPECT_GT(calls, 100);
    for (auto& buffer : device.Buffers()) {
        std::lock_guard lock(buffer->mutex);
        EXPECT_TRUE(buffer->released);
        EXPECT_FALSE(buffer->playing);
        EXPECT_EQ(buffer->writesIntoPlaying, 0);
    }
}
