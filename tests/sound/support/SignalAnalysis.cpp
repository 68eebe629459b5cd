#include "tests/sound/support/SignalAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundtest {

Signal ChannelOf(const unsigned char* pcm, std::size_t bytes, int channels, int channel) {
    const std::size_t frame = std::size_t(channels) * 2;
    Signal x(bytes / frame);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const unsigned char* s = pcm + i * frame + std::size_t(channel) * 2;
        x[i] = std::int16_t(std::uint16_t(s[0] | s[1] << 8)) / 32768.0;
    }
    return x;
}

Signal ChannelOf(const std::vector<unsigned char>& pcm, int channels, int channel) {
    return ChannelOf(pcm.data(), pcm.size(), channels, channel);
}

double Rms(const Signal& x, std::size_t begin, std::size_t end) {
    end = std::min(end, x.size());
    if (end <= begin)
        return 0;
    double sum = 0;
    for (std::size_t i = begin; i < end; ++i)
        sum += x[i] * x[i];
    return std::sqrt(sum / double(end - begin));
}

double Peak(const Signal& x, std::size_t begin, std::size_t end) {
    end = std::min(end, x.size());
    double peak = 0;
    for (std::size_t i = begin; i < end; ++i)
        peak = std::max(peak, std::abs(x[i]));
    return peak;
}

double ZeroCrossingFrequency(const Signal& x, int rate, std::size_t begin, std::size_t end) {
    end = std::min(end, x.size());
    double first = -1;
    double last = -1;
    int crossings = 0;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (x[i - 1] < 0 && x[i] >= 0) {
            const double at = double(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0;
    return (crossings - 1) * rate / (last - first);
}

double ToneAmplitude(const Signal& x, int rate, double frequency, std::size_t begin,
                     std::size_t end) {
    end = std::min(end, x.size());
    if (end <= begin)
        return 0;
    const double w = 2 * std::numbers::pi * frequency / rate;
    double re = 0;
    double im = 0;
    for (std::size_t i = begin; i < end; ++i) {
        re += x[i] * std::cos(w * double(i - begin));
        im -= x[i] * std::sin(w * double(i - begin));
    }
    return 2 * std::hypot(re, im) / double(end - begin);
}

double MaxSecondDifference(const Signal& x, std::size_t begin, std::size_t end,
                           std::size_t* where) {
    end = std::min(end, x.size());
    double worst = 0;
    for (std::size_t i = std::max<std::size_t>(begin, 1); i + 1 < end; ++i) {
        const double d = std::abs(x[i + 1] - 2 * x[i] + x[i - 1]);
        if (d > worst) {
            worst = d;
            if (where)
                *where = i;
        }
    }
    return worst;
}

Span SoundSpan(const Signal& x, double threshold) {
    Span span;
    std::size_t i = 0;
    while (i < x.size() && std::abs(x[i]) <= threshold)
        ++i;
    if (i == x.size())
        return span;
    span.begin = i;
    std::size_t j = x.size();
    while (j > i && std::abs(x[j - 1]) <= threshold)
        --j;
    span.end = j;
    return span;
}

std::size_t FirstAbove(const Signal& x, double threshold, std::size_t from) {
    for (std::size_t i = from; i < x.size(); ++i)
        if (std::abs(x[i]) > threshold)
            return i;
    return x.size();
}

double ToDecibels(double ratio) { return 20 * std::log10(ratio); }

} // namespace soundtest
