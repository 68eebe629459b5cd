#include "sound/SoundTrackList.h"
#include "tests/sound/support/FakeSoundDevice.h"
#include "tests/sound/support/SoundSamples.h"

#include <gtest/gtest.h>

using namespace soundtest;

TEST(SoundTrackList, OneTrackPerNameComparedByteForByte) {
    CSoundTrackList list;
    auto* bgm = list.Get("bgm");
    EXPECT_EQ(list.Get("bgm"), bgm);
    EXPECT_NE(list.Get("BGM"), bgm);
    EXPECT_EQ(bgm->volume, 0);
    EXPECT_FALSE(bgm->sound.IsLooping());
    EXPECT_FALSE(bgm->sound.HasBuffer());
    list.Get("");
    list.Get("bg");
    list.Get("\x82\xa0"); // a Shift-JIS name sorts after every ASCII one
    list.Get("z");
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"", "BGM", "bg", "bgm", "z", "\x82\xa0"}));
    EXPECT_EQ(list.GetVolume("new"), 0);
}

TEST(SoundTrackList, StoredVolumeIsAppliedNowIfPossibleAndAtEveryLaterPlay) {
    CFakeSoundDevice device;
    CSoundTrackList list;
    list.SetVolume("se", -5000);
    EXPECT_EQ(list.GetVolume("se"), -5000);
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 0.2}));
    auto* track = list.Get("se");
    track->sound.Create(device, *file);
    list.ApplyVolume("se");
    EXPECT_EQ(track->sound.GetVolumeRaw(), -1414);
    list.SetVolume("se", 0);
    EXPECT_EQ(track->sound.GetVolumeRaw(), 0);
}

TEST(SoundTrackList, RemoveAndClearEndTheSounds) {
    CFakeSoundDevice device;
    CSoundTrackList list;
    EXPECT_EQ(list.Remove("never"), 0);
    auto file = MemoryStreamOf(WaveFile(Tone{.seconds = 3}));
    for (const char* name : {"a", "b", "c", "d"}) {
        auto* track = list.Get(name);
        track->sound.SetLooping(true);
        track->sound.Create(device, *file);
        if (name[0] % 2)
            track->sound.FadeIn(2000);
        else
            track->sound.Play();
    }
    EXPECT_EQ(list.Remove("a"), 1);
    EXPECT_TRUE(device.Buffers()[0]->released);
    EXPECT_FALSE(device.Buffers()[0]->playing);
    EXPECT_EQ(list.Names().size(), 3u);

    list.Clear();
    EXPECT_TRUE(list.Names().empty());
    for (auto& buffer : device.Buffers()) {
        EXPECT_TRUE(buffer->released);
        EXPECT_FALSE(buffer->playing);
    }
    EXPECT_FALSE(list.Get("b")->sound.HasBuffer()); // a fresh track
}
