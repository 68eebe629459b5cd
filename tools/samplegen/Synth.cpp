#include "tools/samplegen/Synth.h"

#include "tools/samplegen/Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace miravo::samplegen {

Sound::Sound(int sampleRate, int channels, double seconds)
    : sampleRate_(sampleRate), channels_(channels),
      frames_(std::size_t(std::lround(seconds * sampleRate))),
      samples_(frames_ * std::size_t(channels), 0.0) {}

void Sound::Add(std::size_t frame, double value, double pan) {
    if (frame >= frames_)
        return;
    if (channels_ == 1) {
        samples_[frame] += value;
        return;
    }
    // Constant-power panning.
    const double angle = (pan + 1) * std::numbers::pi / 4;
    samples_[frame * 2] += value * std::cos(angle);
    samples_[frame * 2 + 1] += value * std::sin(angle);
}

void Sound::AddNote(double start, double duration, double frequency, double amplitude,
                    const std::vector<double>& partials, double attack, double decay, double pan) {
    const std::size_t first = std::size_t(std::lround(start * sampleRate_));
    const std::size_t count = std::size_t(std::lround(duration * sampleRate_));
    const double release = std::min(0.05, duration / 4);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / sampleRate_;
        double envelope = std::min(1.0, t / attack) * std::exp(-decay * t);
        if (t > duration - release)
            envelope *= (duration - t) / release;
        double value = 0;
        for (std::size_t h = 0; h < partials.size(); ++h)
            value += partials[h] * std::sin(2 * std::numbers::pi * frequency * double(h + 1) * t);
        Add(first + i, amplitude * envelope * value, pan);
    }
}

void Sound::AddBell(double start, double frequency, double amplitude, double ring) {
    // Partials of a struck bar: strong fundamental, inharmonic overtones that die away sooner.
    const double ratios[] = {1.0, 2.76, 5.40, 8.93};
    const double levels[] = {1.0, 0.45, 0.25, 0.12};
    for (int k = 0; k < 4; ++k) {
        AddNote(start, ring, frequency * ratios[k], amplitude * levels[k], {1.0}, 0.002,
                1.2 + 1.5 * k, 0);
    }
}

void Sound::AddNoiseBurst(double start, double duration, double amplitude, double brightness,
                          std::uint32_t seed, double pan) {
    Random random(seed);
    const std::size_t first = std::size_t(std::lround(start * sampleRate_));
    const std::size_t count = std::size_t(std::lround(duration * sampleRate_));
    double state = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / sampleRate_;
        state += brightness * (random.Range(-1, 1) - state);
        const double envelope = std::min(1.0, t / 0.002) * std::exp(-t * 6 / duration);
        Add(first + i, amplitude * envelope * state, pan);
    }
}

void Sound::Normalize(double peak) {
    double largest = 0;
    for (double s : samples_)
        largest = std::max(largest, std::abs(s));
    if (largest > 0) {
        for (double& s : samples_)
            s *= peak / largest;
    }
}

std::vector<std::int16_t> Sound::Pcm16() const {
    std::vector<std::int16_t> pcm(samples_.size());
    for (std::size_t i = 0; i < samples_.size(); ++i)
        pcm[i] = std::int16_t(std::lround(std::clamp(samples_[i], -1.0, 1.0) * 32767));
    return pcm;
}

double NoteFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

} // namespace miravo::samplegen
