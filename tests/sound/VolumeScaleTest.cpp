#include "sound/VolumeScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace vintara;

TEST(VolumeScale, MapsTheVolumeOntoAttenuationAlongThePowerCurve) {
    const std::pair<int, int> table[] = {{0, 0},         {-1000, -229},  {-2500, -613},
                                         {-5000, -1414}, {-7500, -2628}, {-9000, -3974},
                                         {-10000, -9786}};
    for (auto [volume, attenuation] : table)
        EXPECT_EQ(VolumeToAttenuation(volume), attenuation) << volume;
    EXPECT_EQ(AttenuationToVolume(-1000), -3805);
    EXPECT_EQ(AttenuationToVolume(0), 0);
}

TEST(VolumeScale, TheRoundTripIsExactUpToOneStepOfAttenuation) {
    int previous = VolumeToAttenuation(-10000);
    for (int v = -10000; v <= 0; ++v) {
        const int raw = VolumeToAttenuation(v);
        EXPECT_GE(raw, previous) << v; // monotonic
        previous = raw;
        // Attenuation is whole hundredths of a decibel; one of them spans several units of the
        // scale (about 4.5 near full volume), and that is all the round trip may lose.
        const int step =
            std::max(AttenuationToVolume(std::min(raw + 1, 0)) - AttenuationToVolume(raw),
                     AttenuationToVolume(raw) - AttenuationToVolume(std::max(raw - 1, -10000)));
        EXPECT_LE(std::abs(AttenuationToVolume(raw) - v), step + 1) << v;
    }
}

TEST(VolumeScale, ClampsArgumentsOutsideTheScale) {
    EXPECT_EQ(VolumeToAttenuation(500), 0);
    EXPECT_EQ(VolumeToAttenuation(-20000), VolumeToAttenuation(-10000));
    EXPECT_EQ(AttenuationToVolume(-12000), AttenuationToVolume(-10000));
}
