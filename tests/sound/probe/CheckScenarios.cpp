// The checking side of the recorded scenarios: measures the null sink's recording.
#include "sound/VolumeScale.h"
#include "tests/sound/probe/Events.h"
#include "tests/sound/probe/ProbeFiles.h"
#include "tests/sound/probe/Scenarios.h"
#include "tests/sound/support/SignalAnalysis.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>

namespace probe {
namespace {

using soundtest::Signal;
using soundtest::Span;

constexpr double kSilence = 1.5 / 32768; // a sample above one step of 16 bits is sound
constexpr double kSecond = kRate;

struct Recording {
    Signal left;
    Signal right;
    CEvents events;
};

// Keeps what failed; every check prints what it measured.
class CVerdict {
public:
    void Expect(bool ok, const char* format, ...) {
        char text[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", text);
        ok_ = ok_ && ok;
    }
    bool Ok() const { return ok_; }

private:
    bool ok_ = true;
};

double Seconds(std::size_t samples) { return double(samples) / kSecond; }

// The stretches of sound, split at silences of 50 ms or more.
std::vector<Span> SoundSpans(const Signal& x) {
    std::vector<Span> spans;
    std::size_t i = 0;
    while (i < x.size()) {
        if (std::abs(x[i]) <= kSilence) {
            ++i;
            continue;
        }
        std::size_t last = i;
        std::size_t j = i;
        while (j < x.size() && j - last < std::size_t(kSecond / 20)) {
            if (std::abs(x[j]) > kSilence)
                last = j;
            ++j;
        }
        spans.push_back({i, last + 1});
        i = last + 1;
    }
    return spans;
}

// The largest second difference a clean tone of this amplitude and frequency can have, with
// room for rounding to 16 bits.
double SmoothBound(double amplitude, double frequency) {
    const double w = 2 * std::numbers::pi * frequency / kRate;
    return 1.5 * amplitude * w * w + 4.0 / 32768;
}

bool ExpectSpans(CVerdict& verdict, const std::vector<Span>& spans, std::size_t count) {
    verdict.Expect(spans.size() == count, "%zu stretch(es) of sound, expected %zu", spans.size(),
                   count);
    for (const Span& span : spans)
        std::printf("     sound from %.4f s to %.4f s (%.4f s)\n", Seconds(span.begin),
                    Seconds(span.end), Seconds(span.end - span.begin));
    return spans.size() == count;
}

// A steady tone over the span: its length, frequency, level and smoothness in both channels.
// `shorter`: how much of the end a stop by the host may take away (what the output had mixed but
// not yet played when it stopped).
void ExpectTone(CVerdict& verdict, const Recording& recording, const Span& span, double frequency,
                double amplitude, double seconds, double shorter = 0) {
    const double lasted = Seconds(span.end - span.begin);
    verdict.Expect(lasted >= seconds - shorter - 0.015 && lasted <= seconds + 0.015,
                   "lasts %.4f s, expected %.4f s", lasted, seconds);
    const std::size_t a = span.begin + std::size_t(kSecond / 20);
    const std::size_t b = span.end - std::size_t(kSecond / 20);
    for (const Signal* channel : {&recording.left, &recording.right}) {
        const double measured = soundtest::ZeroCrossingFrequency(*channel, kRate, a, b);
        verdict.Expect(std::abs(measured - frequency) <= frequency * 0.002,
                       "frequency %.2f Hz, expected %.2f Hz", measured, frequency);
        const double level = soundtest::Rms(*channel, a, b) * std::sqrt(2.0);
        verdict.Expect(std::abs(soundtest::ToDecibels(level / amplitude)) <= 0.3,
                       "level %.4f (%.2f dB from %.4f)", level,
                       soundtest::ToDecibels(level / amplitude), amplitude);
        std::size_t where = 0;
        const double jump =
            soundtest::MaxSecondDifference(*channel, span.begin + 2, span.end - 2, &where);
        verdict.Expect(jump <= SmoothBound(amplitude, frequency),
                       "no click: largest second difference %.5f at %.4f s (bound %.5f)", jump,
                       Seconds(where), SmoothBound(amplitude, frequency));
    }
}

bool CheckTone(const Recording& recording, CVerdict& verdict) {
    const auto spans = SoundSpans(recording.left);
    if (ExpectSpans(verdict, spans, 1))
        ExpectTone(verdict, recording, spans[0], 440, kLevel, 1.5);
    return verdict.Ok();
}

bool CheckOgg(const Recording& recording, CVerdict& verdict) {
    const auto spans = SoundSpans(recording.left);
    if (ExpectSpans(verdict, spans, 1))
        ExpectTone(verdict, recording, spans[0], 660, kLevel, 1.5);
    return verdict.Ok();
}

bool CheckMix(const Recording& recording, CVerdict& verdict) {
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    const std::size_t a = spans[0].begin + std::size_t(kSecond / 10);
    const std::size_t b = spans[0].end - std::size_t(kSecond / 10);
    for (double frequency : {440.0, 660.0}) {
        const double level = soundtest::ToneAmplitude(recording.left, kRate, frequency, a, b);
        verdict.Expect(std::abs(soundtest::ToDecibels(level / (kLevel / 2))) <= 0.3,
                       "%.0f Hz at %.4f, expected %.4f", frequency, level, kLevel / 2);
    }
    return verdict.Ok();
}

bool CheckReplace(const Recording& recording, CVerdict& verdict) {
    verdict.Expect(recording.events.Get("playing_after_replace") == 1,
                   "the track plays right after the second play");
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    // 20 ms windows: where the 440 Hz tone is last heard and the 660 Hz tone first.
    const std::size_t window = std::size_t(kSecond / 50);
    long last440 = -1;
    long first660 = -1;
    for (std::size_t at = spans[0].begin; at + window <= spans[0].end; at += window) {
        const long index = long((at - spans[0].begin) / window);
        if (soundtest::ToneAmplitude(recording.left, kRate, 440, at, at + window) > kLevel / 3)
            last440 = index;
        if (first660 < 0 &&
            soundtest::ToneAmplitude(recording.left, kRate, 660, at, at + window) > kLevel / 3)
            first660 = index;
    }
    std::printf("     440 Hz last heard in window %ld, 660 Hz first in window %ld\n", last440,
                first660);
    verdict.Expect(last440 >= 40 && last440 <= 60, "the first sound played about a second");
    verdict.Expect(first660 > 0 && first660 - last440 >= 0 && first660 - last440 <= 2,
                   "the second sound replaced the first at once (within 40 ms, no overlap)");
    return verdict.Ok();
}

bool CheckEnd(const Recording& recording, CVerdict& verdict) {
    verdict.Expect(recording.events.Get("playing_at_start") == 1, "IsPlaying is 1 at once");
    const double stopped = recording.events.Get("stopped_after");
    verdict.Expect(stopped >= 0.5 && stopped <= 0.5 + 0.125 + 0.125,
                   "IsPlaying turned 0 %.3f s after the start of a 0.5 s sound", stopped);
    const auto spans = SoundSpans(recording.left);
    if (ExpectSpans(verdict, spans, 1)) // nothing played again after the end
        ExpectTone(verdict, recording, spans[0], 440, kLevel, 0.5);
    return verdict.Ok();
}

bool CheckLoop(const Recording& recording, CVerdict& verdict) {
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    // 2200 frames looped for three seconds: one continuous tone, every join sample-exact.
    ExpectTone(verdict, recording, spans[0], 441, kLevel, 3.0, 0.1);
    const std::size_t window = std::size_t(kSecond / 20);
    double lowest = 1;
    double highest = 0;
    for (std::size_t at = spans[0].begin + window; at + 2 * window <= spans[0].end; at += window) {
        const double level = soundtest::Rms(recording.left, at, at + window) * std::sqrt(2.0);
        lowest = std::min(lowest, level);
        highest = std::max(highest, level);
    }
    verdict.Expect(soundtest::ToDecibels(highest / lowest) <= 0.2,
                   "even level, %.4f to %.4f in 50 ms windows", lowest, highest);
    return verdict.Ok();
}

// The level a fade from `from` to `to` (attenuations) over `ms` gives t seconds in.
double FadeLevel(int from, int to, int ms, double t) {
    const long long a = vintara::AttenuationToVolume(from);
    const long long b = vintara::AttenuationToVolume(to);
    const long long e = std::clamp<long long>((long long)std::floor(t * 1000), 0, ms);
    const int attenuation = vintara::VolumeToAttenuation(int(a + e * (b - a) / ms));
    return kLevel * std::pow(10.0, attenuation / 2000.0);
}

// Matches the recorded envelope (10 ms windows of the 440 Hz tone) with the fade's curve, with
// the curve shifted in time by what fits best between `earliest` and `latest` seconds after the
// sound's start; only levels above -40 dB take part.
void ExpectFade(CVerdict& verdict, const Recording& recording, const Span& span, int from, int to,
                int ms, double earliest, double latest) {
    const std::size_t window = std::size_t(kSecond / 100);
    std::vector<double> envelope;
    for (std::size_t at = span.begin; at + window <= span.end; at += window)
        envelope.push_back(soundtest::ToneAmplitude(recording.left, kRate, 440, at, at + window));
    double bestShift = 0;
    double bestError = 1e9;
    double bestWorst = 0;
    for (double shift = earliest; shift <= latest; shift += 0.002) {
        double sum = 0;
        double worst = 0;
        int used = 0;
        for (std::size_t k = 0; k < envelope.size(); ++k) {
            const double t = (double(k) + 0.5) / 100 - shift;
            if (t < 0 || t > ms / 1000.0 + 0.1)
                continue;
            const double expected = FadeLevel(from, to, ms, t);
            if (expected < kLevel / 100 || envelope[k] <= 0)
                continue;
            const double error = std::abs(soundtest::ToDecibels(envelope[k] / expected));
            sum += error;
            worst = std::max(worst, error);
            ++used;
        }
        if (used > 50 && sum / used < bestError) {
            bestError = sum / used;
            bestShift = shift;
            bestWorst = worst;
        }
    }
    verdict.Expect(bestError <= 1.0,
                   "follows the fade curve: mean %.2f dB off (worst %.2f dB), starting %.3f s in",
                   bestError, bestWorst, bestShift);
}

bool CheckFadeIn(const Recording& recording, CVerdict& verdict) {
    verdict.Expect(recording.events.Get("playing_at_start") == 1, "IsPlaying is 1 at once");
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    // The fade is inaudible in its first 20 ms or so (about -60 dB): the sound starts a bit in.
    ExpectFade(verdict, recording, spans[0], vintara::kSilentVolume, 0, 1500, -0.08, 0.02);
    const std::size_t settled = spans[0].begin + std::size_t(1.7 * kSecond);
    const double level = soundtest::ToneAmplitude(recording.left, kRate, 440, settled,
                                                  settled + std::size_t(kSecond / 2));
    verdict.Expect(std::abs(soundtest::ToDecibels(level / kLevel)) <= 0.3,
                   "reaches the stored volume: %.4f", level);
    return verdict.Ok();
}

bool CheckFadeOut(const Recording& recording, CVerdict& verdict) {
    const double stopped = recording.events.Get("stopped_after");
    verdict.Expect(stopped >= 1.0 && stopped <= 1.3,
                   "stopped %.3f s after FadeOut(1000); the second FadeOut was ignored", stopped);
    verdict.Expect(recording.events.Get("playing_after_fade") == 0, "and stays stopped");
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    ExpectFade(verdict, recording, spans[0], 0, vintara::kSilentVolume, 1000, 0.3, 0.8);
    return verdict.Ok();
}

// The loudest the 440 Hz tone is in any 50 ms window of the span.
double LoudestTone(const Recording& recording, const Span& span) {
    const std::size_t window = std::size_t(kSecond / 20);
    double loudest = 0;
    for (std::size_t at = span.begin; at + window <= span.end; at += window)
        loudest = std::max(loudest,
                           soundtest::ToneAmplitude(recording.left, kRate, 440, at, at + window));
    return loudest;
}

bool CheckFadeInOut(const Recording& recording, CVerdict& verdict) {
    const double stopped = recording.events.Get("stopped_after");
    verdict.Expect(stopped >= 0.5 && stopped <= 0.9,
                   "stopped %.3f s after FadeOut(500) during the fade-in", stopped);
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    const double lasted = Seconds(spans[0].end - spans[0].begin);
    verdict.Expect(lasted >= 1.3 && lasted <= 1.8, "sound for %.3f s (1 s in, 0.5 s out)", lasted);
    // The fade-out starts from the level the fade-in had reached after about a second.
    const double loudest = LoudestTone(recording, spans[0]);
    const double low = FadeLevel(vintara::kSilentVolume, 0, 2000, 0.8);
    const double high = FadeLevel(vintara::kSilentVolume, 0, 2000, 1.3);
    verdict.Expect(loudest >= low && loudest <= high,
                   "loudest %.4f, between the fade-in's %.4f and %.4f", loudest, low, high);
    return verdict.Ok();
}

bool CheckFadeVolume(const Recording& recording, CVerdict& verdict) {
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    // From soon after the volume was set to the stop, it stays at -5000 (-14.14 dB): the fade
    // neither goes on nor ends at the full volume.
    const double expected = kLevel * std::pow(10.0, -1414 / 2000.0);
    const std::size_t window = std::size_t(kSecond / 10);
    double lowest = 1;
    double highest = 0;
    for (std::size_t at = spans[0].begin + std::size_t(0.8 * kSecond);
         at + window <= spans[0].begin + std::size_t(2.8 * kSecond) && at + window <= spans[0].end;
         at += window) {
        const double level = soundtest::ToneAmplitude(recording.left, kRate, 440, at, at + window);
        lowest = std::min(lowest, level);
        highest = std::max(highest, level);
    }
    verdict.Expect(std::abs(soundtest::ToDecibels(lowest / expected)) <= 0.5 &&
                       std::abs(soundtest::ToDecibels(highest / expected)) <= 0.5,
                   "level %.4f to %.4f from 0.8 s to 2.8 s, expected %.4f", lowest, highest,
                   expected);
    return verdict.Ok();
}

bool CheckVolume(const Recording& recording, CVerdict& verdict) {
    const auto spans = SoundSpans(recording.left);
    if (ExpectSpans(verdict, spans, 1)) // -5000 on the scale is -14.14 dB
        ExpectTone(verdict, recording, spans[0], 440, kLevel * std::pow(10.0, -1414 / 2000.0), 1.5);
    return verdict.Ok();
}

bool CheckWindow(const Recording& recording, CVerdict& verdict) {
    verdict.Expect(recording.events.Get("reports") == 0, "no error reported");
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 2))
        return false;
    ExpectTone(verdict, recording, spans[0], 440, kLevel, 1.0);
    // The window and the same bytes as a file of their own sound the same, sample for sample.
    const std::size_t length =
        std::min(spans[0].end - spans[0].begin, spans[1].end - spans[1].begin);
    double best = 1;
    for (int shift = -3; shift <= 3; ++shift) {
        double worst = 0;
        for (std::size_t i = 3; i + 3 < length; ++i)
            worst = std::max(
                worst, std::abs(recording.left[spans[0].begin + i] -
                                recording.left[std::size_t(long(spans[1].begin + i) + shift)]));
        best = std::min(best, worst);
    }
    verdict.Expect(best <= 2.0 / 32768, "window and file differ by at most %.1f steps",
                   best * 32768);
    return verdict.Ok();
}

bool CheckStress(const Recording& recording, CVerdict& verdict) {
    const CEvents& events = recording.events;
    verdict.Expect(events.Get("calls") >= 1000, "%.0f calls", events.Get("calls"));
    verdict.Expect(events.Get("threads_after") <= events.Get("threads_before"),
                   "threads: %.0f after finalizing, %.0f before", events.Get("threads_after"),
                   events.Get("threads_before"));
    verdict.Expect(events.Get("handles_after") <= events.Get("handles_before") + 2,
                   "handles: %.0f after finalizing, %.0f before", events.Get("handles_after"),
                   events.Get("handles_before"));
    const std::size_t tail = std::size_t(1.5 * kSecond);
    const Signal& x = recording.left;
    const double loudest = x.size() > tail ? soundtest::Peak(x, x.size() - tail, x.size()) : 1;
    verdict.Expect(loudest <= kSilence, "silent at the end (peak %.6f)", loudest);
    return verdict.Ok();
}

// The benchmark's verdict: did any of the tracks miss a refill (a jump in the mix)?
bool CheckTracks(const Recording& recording, CVerdict& verdict) {
    const int count = int(recording.events.Get("tracks"));
    double bound = 4.0 / 32768;
    for (int i = 0; i < count; ++i)
        bound += SmoothBound(TrackAmplitude(i, count), TrackFrequency(i)) - 4.0 / 32768;
    const auto spans = SoundSpans(recording.left);
    if (!ExpectSpans(verdict, spans, 1))
        return false;
    // Away from the starts and the stops, which are steps of their own.
    std::size_t where = 0;
    const std::size_t margin = std::size_t(kSecond / 5);
    const double jump = soundtest::MaxSecondDifference(recording.left, spans[0].begin + margin,
                                                       spans[0].end - margin, &where);
    verdict.Expect(jump <= bound,
                   "%d tracks without a gap: largest second difference %.5f at %.3f s (bound %.5f)",
                   count, jump, Seconds(where), bound);
    std::printf("     process CPU per track: %.2f%%\n",
                100 * recording.events.Get("cpu_per_track_per_second"));
    return verdict.Ok();
}

} // namespace

int CheckScenario(const std::string& scenario, const std::string& recordingPath,
                  const std::string& folder) {
    using Check = std::function<bool(const Recording&, CVerdict&)>;
    static const std::map<std::string, Check> checks = {{"tone", CheckTone},
                                                        {"ogg", CheckOgg},
                                                        {"mix", CheckMix},
                                                        {"replace", CheckReplace},
                                                        {"end", CheckEnd},
                                                        {"loop", CheckLoop},
                                                        {"fadein", CheckFadeIn},
                                                        {"fadeout", CheckFadeOut},
                                                        {"volume", CheckVolume},
                                                        {"window", CheckWindow},
                                                        {"stress", CheckStress},
                                                        {"tracks", CheckTracks},
                                                        {"fadeinout", CheckFadeInOut},
                                                        {"fadevolume", CheckFadeVolume}};
    const auto found = checks.find(scenario);
    if (found == checks.end()) {
        std::printf("unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    const soundtest::Bytes raw = ReadFile(recordingPath);
    Recording recording{soundtest::ChannelOf(raw, 2, 0), soundtest::ChannelOf(raw, 2, 1),
                        CEvents::Load(folder + "events.txt")};
    std::printf("recording of %.3f s\n", Seconds(recording.left.size()));
    CVerdict verdict;
    found->second(recording, verdict);
    std::printf("%s: %s\n", scenario.c_str(), verdict.Ok() ? "passed" : "FAILED");
    return verdict.Ok() ? 0 : 1;
}

} // namespace probe
