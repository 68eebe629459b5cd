#include "picture/FadeBlend.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace miravo {
namespace {

void CopyRows(const CRaster& raster, std::vector<std::uint8_t>& buffer) {
    const std::size_t rowBytes = std::size_t(raster.Width()) * 3;
    buffer.resize(rowBytes * std::size_t(raster.Height()));
    for (int y = 0; y < raster.Height(); ++y)
        std::memcpy(buffer.data() + rowBytes * std::size_t(y), raster.Row(y), rowBytes);
}

void CopyFirstBytes(const CRaster& raster, std::vector<std::uint8_t>& buffer) {
    const std::size_t width = std::size_t(raster.Width());
    buffer.resize(width * std::size_t(raster.Height()));
    for (int y = 0; y < raster.Height(); ++y) {
        const std::uint8_t* in = raster.Row(y);
        std::uint8_t* out = buffer.data() + width * std::size_t(y);
        for (std::size_t x = 0; x < width; ++x)
            out[x] = in[x * 3];
    }
}

// One pixel: to + ((from - to) * h) >> 8 is (to * (256 - h) + from * h) >> 8, since to * 256
// is a whole multiple of 256.
inline std::uint8_t Mix(int to, int from, int h) {
    return std::uint8_t((to * (256 - h) + from * h) >> 8);
}

// The from-weights of 8 pixels laid out as their 24 channel bytes (three copies each), built in
// registers: writing them to memory and reading them back as vectors would stall.
struct Weights24 {
    std::uint64_t part[3];
};
inline Weights24 SpreadWeights(const std::uint64_t* triple, const std::uint8_t* mask) {
    const std::uint64_t t0 = triple[mask[0]], t1 = triple[mask[1]], t2 = triple[mask[2]],
                        t3 = triple[mask[3]], t4 = triple[mask[4]], t5 = triple[mask[5]],
                        t6 = triple[mask[6]], t7 = triple[mask[7]];
    return {{t0 | t1 << 24 | t2 << 48, t2 >> 16 | t3 << 8 | t4 << 32 | t5 << 56,
             t5 >> 8 | t6 << 16 | t7 << 40}};
}

#if defined(__SSE2__)
// 16 channel bytes: to * 256 + (from - to) * h in 16-bit lanes wraps to the exact result, which
// is below 65536, and >> 8 gives (to * (256 - h) + from * h) >> 8.
inline __m128i Mix16(__m128i to, __m128i from, __m128i h) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i tLow = _mm_unpacklo_epi8(to, zero), tHigh = _mm_unpackhi_epi8(to, zero);
    const __m128i fLow = _mm_unpacklo_epi8(from, zero), fHigh = _mm_unpackhi_epi8(from, zero);
    const __m128i hLow = _mm_unpacklo_epi8(h, zero), hHigh = _mm_unpackhi_epi8(h, zero);
    const __m128i low = _mm_srli_epi16(
        _mm_add_epi16(_mm_slli_epi16(tLow, 8), _mm_mullo_epi16(_mm_sub_epi16(fLow, tLow), hLow)),
        8);
    const __m128i high =
        _mm_srli_epi16(_mm_add_epi16(_mm_slli_epi16(tHigh, 8),
                                     _mm_mullo_epi16(_mm_sub_epi16(fHigh, tHigh), hHigh)),
                       8);
    return _mm_packus_epi16(low, high);
}
#endif

// `pixels` pixels of three bytes, 16 at a time (48 bytes, three vectors), the rest one by one.
void BlendRun(const std::uint8_t* to, const std::uint8_t* from, const std::uint8_t* mask,
              const FadeWeights& weights, std::size_t pixels, std::uint8_t* out) {
    std::size_t done = 0;
#if defined(__SSE2__)
    std::uint64_t triple[256];
    for (int m = 0; m < 256; ++m)
        triple[m] = std::uint64_t(weights.from[m]) * 0x010101u;
    for (; done + 16 <= pixels; done += 16) {
        const Weights24 a = SpreadWeights(triple, mask + done);
        const Weights24 b = SpreadWeights(triple, mask + done + 8);
        const __m128i h[3] = {
            _mm_set_epi64x(std::int64_t(a.part[1]), std::int64_t(a.part[0])),
            _mm_set_epi64x(std::int64_t(b.part[0]), std::int64_t(a.part[2])),
            _mm_set_epi64x(std::int64_t(b.part[2]), std::int64_t(b.part[1])),
        };
        const auto* t = reinterpret_cast<const __m128i*>(to + done * 3);
        const auto* f = reinterpret_cast<const __m128i*>(from + done * 3);
        auto* o = reinterpret_cast<__m128i*>(out + done * 3);
        for (int part = 0; part < 3; ++part)
            _mm_storeu_si128(o + part,
                             Mix16(_mm_loadu_si128(t + part), _mm_loadu_si128(f + part), h[part]));
    }
#endif
    for (; done < pixels; ++done) {
        const int weight = weights.from[mask[done]];
        for (std::size_t c = done * 3; c < done * 3 + 3; ++c)
            out[c] = Mix(to[c], from[c], weight);
    }
}

} // namespace

void DibAlphaMaskInit(CFadeWorkBuffers& buffers, const CRaster& to, const CRaster& from,
                      const CRaster& mask) {
    if (to.Width() % 4 != 0)
        throw FadeBlendError("DibAlphaMaskInit: DIBの幅は4の倍数でなければなりません w=" +
                             std::to_string(to.Width()));
    buffers.toWidth = to.Width();
    buffers.toHeight = to.Height();
    buffers.fromWidth = from.Width();
    buffers.fromHeight = from.Height();
    buffers.maskWidth = mask.Width();
    buffers.maskHeight = mask.Height();
    CopyRows(to, buffers.to);
    CopyRows(from, buffers.from);
    CopyFirstBytes(mask, buffers.mask);
}

FadeWeights FadeBlendWeights(int edge, int percent) {
    edge = std::clamp(edge, 0, 255);
    percent = std::clamp(percent, 0, 100);
    const int count = percent * (edge + 256) / 100;
    FadeWeights weights{};
    for (int m = 0; m < 256; ++m) {
        int h;
        if (m >= count)
            h = 255;
        else if (m < count - edge)
            h = 0;
        else
            h = ((m + edge - count) * 256) / edge;
        weights.from[m] = std::uint8_t(h);
    }
    return weights;
}

void DibAlphaMaskBlendOptimal(const CFadeWorkBuffers& buffers, int edge, int percent,
                              CRaster& destination) {
    percent = std::clamp(percent, 0, 100);
    const int w = buffers.toWidth, h = buffers.toHeight;
    if (buffers.fromWidth != w || buffers.fromHeight != h || buffers.maskWidth != w ||
        buffers.maskHeight != h || destination.Width() != w || destination.Height() != h)
        throw FadeBlendError("DibAlphaMaskBlendOptimal: ソースDIBサイズが一致していません");
    const std::size_t rowBytes = std::size_t(w) * 3;
    if (percent == 100) {
        for (int y = 0; y < h; ++y)
            std::memcpy(destination.Row(y), buffers.to.data() + rowBytes * std::size_t(y),
                        rowBytes);
        return;
    }
    const FadeWeights weights = FadeBlendWeights(edge, percent);
    // The width is a multiple of 4, so the destination's rows carry no padding and the whole
    // picture is one run of pixels.
    if (destination.Stride() == rowBytes) {
        BlendRun(buffers.to.data(), buffers.from.data(), buffers.mask.data(), weights,
                 std::size_t(w) * std::size_t(h), destination.Row(0));
        return;
    }
    for (int y = 0; y < h; ++y) {
        const std::size_t row = std::size_t(y);
        BlendRun(buffers.to.data() + rowBytes * row, buffers.from.data() + rowBytes * row,
                 buffers.mask.data() + std::size_t(w) * row, weights, std::size_t(w),
                 destination.Row(y));
    }
}

} // namespace miravo
