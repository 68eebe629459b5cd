#pragma once

// The sound files the recorded scenarios play, written by the probe itself.

#include "tests/sound/support/SoundSamples.h"

#include <string>

namespace probe {

constexpr int kRate = 44100;
constexpr double kLevel = 0.5; // amplitude of the single tones, of full scale

constexpr const char* kTone440Wave = "tone440.wav"; // 1.5 s, 440 Hz, stereo
constexpr const char* kTone660Ogg = "tone660.ogg";  // 1.5 s, 660 Hz, stereo
constexpr const char* kMix440 = "mix440.wav";       // 1.5 s, 440 Hz at half the level
constexpr const char* kMix660 = "mix660.wav";       // 1.5 s, 660 Hz at half the level
constexpr const char* kLong440 = "long440.wav";     // 4 s, 440 Hz
constexpr const char* kShort = "short.wav";         // 0.5 s, 440 Hz
constexpr const char* kLoop = "loop.wav";           // 2200 frames of 441 Hz: 22 whole periods
constexpr const char* kContainer = "container.bin"; // junk, a 1 s 440 Hz WAVE, junk
constexpr int kContainerJunkBefore = 1000;
constexpr int kContainerJunkAfter = 777;
constexpr const char* kContained = "contained.wav"; // the container's WAVE as a file of its own

// The WAVE inside the container (also its length).
soundtest::Bytes ContainedWave();
void WriteProbeFiles(const std::string& folder);
// A looping tone for track i of n playing together (whole periods in 0.75 s, never clipping
// together): track 0 is loud, so that any jump in it stands out of the mix; the others share the
// rest of the level.
soundtest::Bytes TrackTone(int index, int count);
double TrackFrequency(int index);
double TrackAmplitude(int index, int count);
std::string TrackFileName(int index);

bool WriteFile(const std::string& path, const soundtest::Bytes& bytes);
soundtest::Bytes ReadFile(const std::string& path);

} // namespace probe
