#include "sound/VolumeScale.h"

#include <algorithm>
#include <cmath>

namespace vintara {
namespace {

constexpr float kFactor = 0.0001f;
constexpr float kExponent = 0.22f;

int Scale(int x, double exponent) {
    x = std::clamp(x, kSilentVolume, 0);
    const double base = std::max(0.0, 1.0 + double(kFactor) * x);
    return int(-10000.0 * (1.0 - std::pow(base, exponent)));
}

} // namespace

int VolumeToAttenuation(int volume) { return Scale(volume, double(kExponent)); }

int AttenuationToVolume(int attenuation) { return Scale(attenuation, 1.0 / double(kExponent)); }

} // namespace vintara
