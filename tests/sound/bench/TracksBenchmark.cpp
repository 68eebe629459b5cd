// How many tracks stream at once without a gap: looping music-like Ogg Vorbis (44.1 kHz stereo,
// about 128 kbit/s) on the simulated device in real time, not in lockstep, each track with its
// own refill thread as in the engine. A gap is a ring segment that comes round to be played again
// before its refill: heard as a stutter. The simulated output must also keep real time: when its
// own thread falls behind, time slows down for every track and no gap could show, so a run
// whose output played less than 98 % of the time counts as failed. "max_tracks" is the most
// tracks whose steady playing had no gap on this machine, with whatever else it runs;
// "cpu_percent_per_track" is the process CPU (of one core) each of them took.
#include "sound/SoundTrackList.h"
#include "sound/StreamingSound.h"
#include "tests/sound/support/FakeSoundDevice.h"
#include "tests/sound/support/MusicPiece.h"
#include "tests/sound/support/SoundSamples.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

using namespace soundtest;

namespace {

constexpr int kMostTried = 1024;
constexpr double kSettleSeconds = 1.0;
constexpr double kMeasuredSeconds = 3.0;

const Bytes& MusicOgg() {
    static const Bytes ogg = OggFile(MusicPiece(10), 44100, 2, 0.4f);
    return ogg;
}

struct Run {
    int gaps = 0;
    double realTime = 0; // seconds the output played per second
    double cpuPercentPerTrack = 0;
    bool Clean() const { return gaps == 0 && realTime >= 0.98; }
};

struct Totals {
    int gaps = 0;
    long long playedBytes = 0;
};

Totals Count(CFakeSoundDevice& device) {
    Totals totals;
    for (auto& buffer : device.Buffers()) {
        std::lock_guard lock(buffer->mutex);
        totals.gaps += buffer->underruns;
        totals.playedBytes += buffer->playedBytes;
    }
    return totals;
}

Run Play(int count) {
    CFakeSoundDevice device({.lockstep = false, .keepPlayed = false});
    std::vector<std::unique_ptr<vintara::CStreamingSound>> sounds;
    for (int i = 0; i < count; ++i) {
        auto stream = MemoryStreamOf(MusicOgg());
        sounds.push_back(std::make_unique<vintara::CStreamingSound>(CSoundTrackList::kTrackFlags));
        sounds.back()->SetLooping(true);
        sounds.back()->Create(device, *stream);
        sounds.back()->Play();
    }
    // The start, when every ring is filled at once, is not the steady state measured.
    std::this_thread::sleep_for(std::chrono::duration<double>(kSettleSeconds));
    const Totals before = Count(device);
    const std::clock_t cpuBefore = std::clock();
    const auto wallBefore = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(kMeasuredSeconds));
    const Totals after = Count(device);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    Run run;
    run.cpuPercentPerTrack =
        100.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC / wall / count;
    run.gaps = after.gaps - before.gaps;
    run.realTime = double(after.playedBytes - before.playedBytes) / (176400.0 * count) / wall;
    sounds.clear(); // their threads end before the device goes
    std::printf("  %4d tracks: %d gap(s), output at %.3f x real time, %.2f%% CPU per track\n",
                count, run.gaps, run.realTime, run.cpuPercentPerTrack);
    return run;
}

void MaxGapFreeTracks(benchmark::State& state) {
    std::printf("  music: %.0f kbit/s\n", double(MusicOgg().size()) * 8 / 10 / 1000);
    int good = 0;
    int bad = 0;
    Run goodRun;
    for (auto _ : state) {
        // Doubling to the first count with a gap, then halving the interval.
        for (int count = 8; count <= kMostTried; count *= 2) {
            const Run run = Play(count);
            if (!run.Clean()) {
                bad = count;
                break;
            }
            good = count;
            goodRun = run;
        }
        while (bad > 0 && bad - good > std::max(2, good / 16)) {
            const int count = (good + bad) / 2;
            const Run run = Play(count);
            if (!run.Clean()) {
                bad = count;
            } else {
                good = count;
                goodRun = run;
            }
        }
    }
    state.counters["max_tracks"] = good;
    state.counters["cpu_percent_per_track"] = goodRun.cpuPercentPerTrack;
}
BENCHMARK(MaxGapFreeTracks)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
