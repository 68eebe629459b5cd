#pragma once

#include "tools/samplegen/Synth.h"

#include <string>

// The sound formats a novel uses, encoded in memory.
namespace miravo::samplegen {

// RIFF WAVE, 16-bit PCM.
std::string EncodeWave(const Sound& sound);
// Ogg Vorbis at a variable bit rate of the given quality (-0.1 .. 1.0).
std::string EncodeOggVorbis(const Sound& sound, float quality, int serialNumber);

} // namespace miravo::samplegen
