#pragma once

// Music-like test content for speed measurements: a sine tone is far cheaper to decode than
// music, whose every band carries energy. A stereo piece at 120 beats a minute: a pad of rich
// chords, a bass line, a plucked melody and drums of noise, different in each channel.

#include <cstdint>
#include <vector>

namespace soundtest {

// Interleaved 16-bit stereo; the same for the same arguments.
std::vector<std::int16_t> MusicPiece(double seconds, int rate = 44100);

} // namespace soundtest
