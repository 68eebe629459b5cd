#include "tests/sound/probe/ProbeFiles.h"

#include <cstdio>

namespace probe {

using soundtest::Bytes;
using soundtest::Tone;

bool WriteFile(const std::string& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

Bytes ReadFile(const std::string& path) {
    Bytes bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    return bytes;
}

Bytes ContainedWave() {
    return soundtest::WaveFile(Tone{.frequency = 440, .seconds = 1.0, .amplitude = kLevel});
}

// 0.75 s loops of whole periods; the ring's two seconds are no multiple of that, so a segment
// played again stale (not refilled in time) jumps in phase and shows as a click.
constexpr double kTrackSeconds = 0.75;

double TrackFrequency(int index) { return (150 + 17 * index) / kTrackSeconds; }

std::string TrackFileName(int index) { return "track" + std::to_string(index) + ".wav"; }

double TrackAmplitude(int index, int count) {
    return index == 0 || count == 1 ? 0.45 : 0.45 / (count - 1);
}

Bytes TrackTone(int index, int count) {
    return soundtest::WaveFile(Tone{.frequency = TrackFrequency(index),
                                    .seconds = kTrackSeconds,
                                    .amplitude = TrackAmplitude(index, count)});
}

void WriteProbeFiles(const std::string& folder) {
    auto put = [&](const char* name, const Bytes& bytes) { WriteFile(folder + name, bytes); };
    put(kTone440Wave,
        soundtest::WaveFile(Tone{.frequency = 440, .seconds = 1.5, .amplitude = kLevel}));
    put(kTone660Ogg,
        soundtest::OggFile(Tone{.frequency = 660, .seconds = 1.5, .amplitude = kLevel}));
    put(kMix440,
        soundtest::WaveFile(Tone{.frequency = 440, .seconds = 1.5, .amplitude = kLevel / 2}));
    put(kMix660,
        soundtest::WaveFile(Tone{.frequency = 660, .seconds = 1.5, .amplitude = kLevel / 2}));
    put(kLong440, soundtest::WaveFile(Tone{.frequency = 440, .seconds = 4, .amplitude = kLevel}));
    put(kShort, soundtest::WaveFile(Tone{.frequency = 440, .seconds = 0.5, .amplitude = kLevel}));
    put(kLoop, soundtest::WaveFile(
                   Tone{.frequency = 441, .seconds = 2200.0 / kRate, .amplitude = kLevel}));
    Bytes container(kContainerJunkBefore, 0xA7);
    soundtest::Append(container, ContainedWave());
    soundtest::Append(container, Bytes(kContainerJunkAfter, 0x5C));
    put(kContainer, container);
    put(kContained, ContainedWave());
}

} // namespace probe
