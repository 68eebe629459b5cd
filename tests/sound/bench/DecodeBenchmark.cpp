// Decoding speed: Ogg Vorbis through COggVorbisReader against a bare libvorbisfile loop over
// the same bytes, a WAVE read, and the refill of one ring segment (what a playing track costs
// its refill thread eight times a second). "x_real_time" is seconds of audio per second of CPU.
#include "sound/OggVorbisReader.h"
#include "sound/SoundReader.h"
#include "sound/StreamRing.h"
#include "tests/sound/support/MusicPiece.h"
#include "tests/sound/support/SoundSamples.h"

#include <benchmark/benchmark.h>
#include <vorbis/vorbisfile.h>

#include <cstring>

using namespace soundtest;

namespace {

const Tone kMusic{.rate = 44100, .channels = 2, .frequency = 440, .seconds = 10};

const Bytes& MusicOgg() {
    static const Bytes ogg =
        OggFile(MusicPiece(kMusic.seconds), kMusic.rate, kMusic.channels, 0.5f);
    return ogg;
}

void SetRealTime(benchmark::State& state, double audioSecondsPerIteration) {
    state.counters["x_real_time"] = benchmark::Counter(
        audioSecondsPerIteration * double(state.iterations()), benchmark::Counter::kIsRate);
}

void OggThroughTheEngine(benchmark::State& state) {
    MusicOgg(); // made before the clock runs
    std::vector<unsigned char> buffer(22048);
    for (auto _ : state) {
        auto stream = MemoryStreamOf(MusicOgg());
        auto reader = vintara::CreateSoundReader(*stream);
        while (reader->Read(buffer.data(), int(buffer.size())) > 0) {
        }
    }
    SetRealTime(state, kMusic.seconds);
}
BENCHMARK(OggThroughTheEngine)->Unit(benchmark::kMillisecond);

struct Memory {
    const Bytes* bytes;
    std::size_t position;
};

size_t MemoryRead(void* out, size_t size, size_t count, void* source) {
    auto& memory = *static_cast<Memory*>(source);
    const std::size_t n = std::min(size * count, memory.bytes->size() - memory.position);
    std::memcpy(out, memory.bytes->data() + memory.position, n);
    memory.position += n;
    return n / (size ? size : 1);
}

int MemorySeek(void* source, ogg_int64_t offset, int whence) {
    auto& memory = *static_cast<Memory*>(source);
    const long long base = whence == SEEK_SET   ? 0
                           : whence == SEEK_CUR ? (long long)memory.position
                                                : (long long)memory.bytes->size();
    memory.position =
        std::size_t(std::clamp<long long>(base + offset, 0, (long long)memory.bytes->size()));
    return 0;
}

long MemoryTell(void* source) { return long(static_cast<Memory*>(source)->position); }

void OggBareLibvorbisfile(benchmark::State& state) {
    MusicOgg();
    std::vector<char> buffer(22048);
    for (auto _ : state) {
        Memory memory{&MusicOgg(), 0};
        OggVorbis_File file;
        ov_open_callbacks(&memory, &file, nullptr, 0,
                          ov_callbacks{MemoryRead, MemorySeek, nullptr, MemoryTell});
        int bitstream = 0;
        while (ov_read(&file, buffer.data(), int(buffer.size()), 0, 2, 1, &bitstream) > 0) {
        }
        ov_clear(&file);
    }
    SetRealTime(state, kMusic.seconds);
}
BENCHMARK(OggBareLibvorbisfile)->Unit(benchmark::kMillisecond);

void WaveThroughTheEngine(benchmark::State& state) {
    static const Bytes wave = WaveFile(kMusic);
    std::vector<unsigned char> buffer(22048);
    for (auto _ : state) {
        auto stream = MemoryStreamOf(wave);
        auto reader = vintara::CreateSoundReader(*stream);
        while (reader->Read(buffer.data(), int(buffer.size())) > 0) {
        }
    }
    SetRealTime(state, kMusic.seconds);
}
BENCHMARK(WaveThroughTheEngine)->Unit(benchmark::kMillisecond);

// One segment (125 ms of 44.1 kHz stereo) decoded into the ring, looping a sound of
// `state.range(0)` milliseconds: the refill thread's work per notification.
void RefillOneOggSegment(benchmark::State& state) {
    const Tone tone{.rate = 44100, .channels = 2, .seconds = double(state.range(0)) / 1000};
    const Bytes ogg = OggFile(tone);
    auto stream = MemoryStreamOf(ogg);
    auto reader = vintara::CreateSoundReader(*stream);
    vintara::CStreamRing ring;
    ring.Attach(reader.get(), *reader->GetFormat(),
                vintara::CStreamRing::RingBytesFor(*reader->GetFormat()));
    std::vector<unsigned char> segment(std::size_t(ring.SegmentBytes()));
    for (auto _ : state)
        ring.Fill(segment.data(), ring.SegmentBytes(), true);
    SetRealTime(state, double(ring.SegmentBytes()) / 176400);
    // Eight refills a second: percent of one core = 800 x the seconds one refill takes.
    state.counters["core_percent_per_track"] =
        benchmark::Counter(double(state.iterations()) / 800,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(RefillOneOggSegment)->Arg(5000)->Arg(20)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
