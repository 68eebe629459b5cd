#pragma once

// Measurements on PCM: what the tests check in decoded data and in recordings of the null sink.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundtest {

using Signal = std::vector<double>; // one channel, full scale = 1.0

// One channel of interleaved 16-bit little-endian PCM.
Signal ChannelOf(const unsigned char* pcm, std::size_t bytes, int channels, int channel);
Signal ChannelOf(const std::vector<unsigned char>& pcm, int channels, int channel);

double Rms(const Signal& x, std::size_t begin, std::size_t end);
double Peak(const Signal& x, std::size_t begin, std::size_t end);
// Frequency from the rising zero crossings between begin and end (interpolated).
double ZeroCrossingFrequency(const Signal& x, int rate, std::size_t begin, std::size_t end);
// Amplitude of the component at `frequency` (a single DFT bin, Goertzel).
double ToneAmplitude(const Signal& x, int rate, double frequency, std::size_t begin,
                     std::size_t end);
// Largest |x[n+1] - 2 x[n] + x[n-1]|: small for a smooth tone, large at any click or jump.
double MaxSecondDifference(const Signal& x, std::size_t begin, std::size_t end,
                           std::size_t* where = nullptr);

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0; // one past the last sample above the threshold; 0,0 when none
    bool Empty() const { return end <= begin; }
};
// From the first to the last sample whose magnitude exceeds `threshold`.
Span SoundSpan(const Signal& x, double threshold);
// The first sample at or after `from` whose magnitude exceeds `threshold`; x.size() when none.
std::size_t FirstAbove(const Signal& x, double threshold, std::size_t from = 0);

double ToDecibels(double ratio);

} // namespace soundtest
