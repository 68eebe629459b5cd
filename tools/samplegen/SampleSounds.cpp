#include "tools/samplegen/SampleSounds.h"

namespace miravo::samplegen {

namespace {

constexpr int kRate = 22050;
const std::vector<double> kPiano = {1.0, 0.45, 0.22, 0.1, 0.05};
const std::vector<double> kPad = {1.0, 0.3, 0.15};

// Chords as MIDI note numbers, one a bar.
void Arpeggios(Sound& sound, const std::vector<std::vector<int>>& chords, double bar,
               double level) {
    for (std::size_t c = 0; c < chords.size(); ++c) {
        const std::vector<int>& chord = chords[c];
        for (int step = 0; step < 8; ++step) {
            const int note = chord[std::size_t(step) % chord.size()] + (step >= 4 ? 12 : 0);
            sound.AddNote(double(c) * bar + step * bar / 8, bar / 2, NoteFrequency(note), level,
                          kPiano, 0.005, 2.5, step % 2 ? 0.35 : -0.35);
        }
    }
}

} // namespace

Sound ComposeAfternoon() {
    const double bar = 2.4;
    Sound sound(kRate, 2, bar * 4);
    // C, Am, F, G: the loop returns to its start without a seam.
    Arpeggios(sound, {{48, 55, 60, 64}, {45, 52, 57, 60}, {41, 48, 53, 57}, {43, 50, 55, 59}}, bar,
              0.18);
    const int melody[] = {76, 74, 72, 74, 76, 76, 76, -1, 74, 74, 74, -1, 76, 79, 79, -1};
    for (int i = 0; i < 16; ++i) {
        if (melody[i] > 0)
            sound.AddNote(i * bar / 4, bar / 4 * 0.95, NoteFrequency(melody[i]), 0.22, kPiano, 0.01,
                          1.6, 0.1);
    }
    sound.Normalize(0.7);
    return sound;
}

Sound ComposeEvening() {
    const double bar = 2.0;
    Sound sound(kRate, 1, bar * 4 + 1.0);
    const std::vector<std::vector<int>> chords = {
        {57, 60, 64}, {53, 57, 60}, {55, 59, 62}, {52, 56, 59}};
    for (std::size_t c = 0; c < chords.size(); ++c) {
        for (int note : chords[c])
            sound.AddNote(double(c) * bar, bar * 1.4, NoteFrequency(note), 0.2, kPad, 0.3, 0.6);
        sound.AddNote(double(c) * bar, bar, NoteFrequency(chords[c][0] - 12), 0.25, kPad, 0.05,
                      0.8);
    }
    sound.Normalize(0.6);
    return sound;
}

Sound ComposeTitle() {
    Sound sound(kRate, 2, 6.0);
    const int theme[] = {60, 64, 67, 72, 71, 67, 69, 72};
    for (int i = 0; i < 8; ++i)
        sound.AddNote(i * 0.4, 0.9, NoteFrequency(theme[i]), 0.25, kPiano, 0.005, 2.0,
                      (i - 3.5) / 5);
    for (int note : {48, 55, 60, 64})
        sound.AddNote(3.2, 2.8, NoteFrequency(note), 0.16, kPad, 0.2, 0.7);
    sound.Normalize(0.7);
    return sound;
}

Sound MakeDoor() {
    Sound sound(kRate, 1, 1.2);
    sound.AddNoiseBurst(0.0, 0.55, 0.5, 0.08, 11); // the door slides
    sound.AddNoiseBurst(0.7, 0.12, 0.9, 0.5, 12);  // knock
    sound.AddNoiseBurst(0.9, 0.12, 0.9, 0.5, 13);
    sound.Normalize(0.8);
    return sound;
}

Sound MakeChime() {
    Sound sound(kRate, 1, 5.0);
    const int notes[] = {64, 60, 62, 55};
    for (int i = 0; i < 4; ++i)
        sound.AddBell(i * 0.8, NoteFrequency(notes[i] + 12), 0.4, 2.5);
    sound.Normalize(0.7);
    return sound;
}

Sound MakePageTurn() {
    Sound sound(kRate, 1, 0.6);
    sound.AddNoiseBurst(0.0, 0.35, 0.6, 0.9, 21);
    sound.AddNoiseBurst(0.25, 0.3, 0.4, 0.6, 22);
    sound.Normalize(0.6);
    return sound;
}

Sound MakeFootsteps() {
    Sound sound(kRate, 2, 2.0);
    for (int i = 0; i < 4; ++i)
        sound.AddNoiseBurst(i * 0.45, 0.14, 0.8, 0.25, 31 + i, i % 2 ? 0.3 : -0.3);
    sound.Normalize(0.7);
    return sound;
}

} // namespace miravo::samplegen
