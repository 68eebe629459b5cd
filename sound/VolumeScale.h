#pragma once

namespace vintara {

// The library's volume scale runs from -10000 (silent) to 0 (full), like DirectSound's
// attenuation in hundredths of a decibel, but along a power curve:
//   f(x, e) = -10000 * (1 - (1 + 0.0001 x)^e), truncated toward zero,
// with the factor 0.0001 and the exponent 0.22 held in single precision (so -10000 maps to
// -9786, just short of silence). Arguments are clamped to -10000..0.
constexpr int kSilentVolume = -10000;

int VolumeToAttenuation(int volume);      // f(volume, 0.22)
int AttenuationToVolume(int attenuation); // f(attenuation, 1 / 0.22)

} // namespace vintara
