#include "tests/sound/support/MusicPiece.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace soundtest {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double NoteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// A tone with `partials` harmonics falling off as 1/k, at phase t seconds.
double Rich(double frequency, double t, int partials) {
    double value = 0;
    for (int k = 1; k <= partials && k * frequency < 16000; ++k)
        value += std::sin(kTwoPi * k * frequency * t) / k;
    return value;
}

} // namespace

std::vector<std::int16_t> MusicPiece(double seconds, int rate) {
    const std::size_t frames = std::size_t(seconds * rate);
    std::vector<double> left(frames), right(frames);
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    // C, A minor, F, G: one bar (two seconds) each.
    const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    const int scale[7] = {72, 74, 76, 77, 79, 81, 83};
    std::vector<int> melody(std::size_t(seconds * 4) + 1);
    for (int& note : melody)
        note = scale[random() % 7];

    double lastNoise = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const int bar = int(t / 2) % 4;
        const double inBeat = std::fmod(t, 0.5);
        const double inEighth = std::fmod(t, 0.25);
        const int beat = int(t / 0.5) % 4;

        double l = 0, r = 0;
        for (int note : chords[bar]) { // pad, slightly detuned between the channels
            const double f = NoteFrequency(note);
            l += 0.06 * Rich(f, t, 8);
            r += 0.06 * Rich(f * 1.003, t, 8);
        }
        const double bass =
            0.18 * Rich(NoteFrequency(chords[bar][0] - 24), t, 10) * std::exp(-3 * inBeat);
        l += bass;
        r += bass;
        const double pluck = 0.16 * Rich(NoteFrequency(melody[std::size_t(t / 0.25)]), t, 6) *
                             std::exp(-9 * inEighth);
        l += 0.7 * pluck;
        r += 1.0 * pluck;

        const double white = noise(random);
        const double hat = (white - lastNoise) * 0.08 * std::exp(-40 * inEighth);
        lastNoise = white;
        double drums = hat;
        if (beat % 2 == 0) // kick: a falling sine
            drums += 0.4 *
                     std::sin(kTwoPi * (50 * inBeat + 140 * (1 - std::exp(-20 * inBeat)) / 20)) *
                     std::exp(-8 * inBeat);
        else // snare: noise and a body
            drums += (0.2 * white + 0.1 * std::sin(kTwoPi * 190 * t)) * std::exp(-14 * inBeat);
        left[i] = l + drums * 0.9 + hat * 0.5;
        right[i] = r + drums;
    }
    double peak = 1e-9;
    for (std::size_t i = 0; i < frames; ++i)
        peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
    std::vector<std::int16_t> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        samples[2 * i] = std::int16_t(std::lround(left[i] / peak * 0.7 * 32767));
        samples[2 * i + 1] = std::int16_t(std::lround(right[i] / peak * 0.7 * 32767));
    }
    return samples;
}

} // namespace soundtest
