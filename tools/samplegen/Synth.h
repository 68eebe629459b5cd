#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sounds of the sample novel are synthesized: notes with envelopes and a few partials, bells,
// and filtered noise for knocks and steps. Samples are mixed as floats and stored as 16 bits.
namespace miravo::samplegen {

class Sound {
public:
    Sound(int sampleRate, int channels, double seconds);

    int SampleRate() const { return sampleRate_; }
    int Channels() const { return channels_; }
    std::size_t Frames() const { return frames_; }
    double Seconds() const { return double(frames_) / sampleRate_; }

    // A tone from `start` seconds: `partials` relative amplitudes of the harmonics, an attack
    // and an exponential decay, panned -1 (left) .. 1 (right).
    void AddNote(double start, double duration, double frequency, double amplitude,
                 const std::vector<double>& partials, double attack = 0.01, double decay = 3.0,
                 double pan = 0);
    // A bell: inharmonic partials that ring out.
    void AddBell(double start, double frequency, double amplitude, double ring = 2.5);
    // Noise through a one-pole low-pass, with a sharp attack: knocks, steps, a page turning.
    void AddNoiseBurst(double start, double duration, double amplitude, double brightness,
                       std::uint32_t seed, double pan = 0);
    // Scales the whole sound so that its peak is `peak` of full scale.
    void Normalize(double peak);
    // Interleaved 16-bit samples.
    std::vector<std::int16_t> Pcm16() const;

private:
    void Add(std::size_t frame, double value, double pan);

    int sampleRate_;
    int channels_;
    std::size_t frames_;
    std::vector<double> samples_; // interleaved
};

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double NoteFrequency(int note);

} // namespace miravo::samplegen
