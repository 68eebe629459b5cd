#include "picture/RasterRoutines.h"

#include <algorithm>
#include <cstring>

namespace miravo {
namespace {

// The part of `rect` that lies on `raster`.
PixelRect OnRaster(const PixelRect& rect, const CRaster& raster) {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, raster.Width()),
            std::min(rect.bottom, raster.Height())};
}

// Destination pixels that `source` at (x, y) covers, inside the clip and the destination. 64-bit
// sums: a position near the int limits must not wrap into the picture.
PixelRect Covered(const CRaster& source, const CRaster& destination, int x, int y,
                  const PixelRect& clip) {
    const PixelRect inside = OnRaster(clip, destination);
    const auto clamp = [](long long v) {
        return int(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
    };
    return {std::max(inside.left, x), std::max(inside.top, y),
            std::min<int>(inside.right, clamp((long long)x + source.Width())),
            std::min<int>(inside.bottom, clamp((long long)y + source.Height()))};
}

} // namespace

void ColorKeyBlit(const CRaster& source, CRaster& destination, int x, int y,
                  const PixelRect& clip) {
    if (source.Empty())
        return;
    const std::uint8_t* key = source.Pixel(0, 0);
    const PixelRect area = Covered(source, destination, x, y, clip);
    for (int dy = area.top; dy < area.bottom; ++dy) {
        const std::uint8_t* in = source.Pixel(area.left - x, dy - y);
        std::uint8_t* out = destination.Pixel(area.left, dy);
        for (int dx = area.left; dx < area.right; ++dx, in += 3, out += 3) {
            if (in[0] != key[0] || in[1] != key[1] || in[2] != key[2]) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        }
    }
}

void AlphaBlit(const CRaster& source, const CAlphaMap& transparency, CRaster& destination,
               const PixelRect& clip, int x, int y) {
    const PixelRect area = Covered(source, destination, x, y, clip);
    for (int dy = area.top; dy < area.bottom; ++dy) {
        const int sy = dy - y;
        const std::uint8_t* in = source.Pixel(area.left - x, sy);
        std::uint8_t* out = destination.Pixel(area.left, dy);
        for (int dx = area.left; dx < area.right; ++dx, in += 3, out += 3) {
            const int sx = dx - x;
            const int t = sx < transparency.Width() && sy < transparency.Height()
                              ? transparency.At(sx, sy)
                              : 0;
            for (int c = 0; c < 3; ++c) // >> of a negative product rounds down, as intended
                out[c] = std::uint8_t(in[c] + (((out[c] - in[c]) * t) >> 8));
        }
    }
}

void TranslucentFill(CRaster& destination, const PixelRect& rect, std::uint32_t color,
                     int opacity) {
    if (opacity <= 0)
        return;
    const int w = std::min(opacity, 100) * 256 / 100;
    const std::uint8_t bgr[3] = {std::uint8_t(color >> 16), std::uint8_t(color >> 8),
                                 std::uint8_t(color)};
    int over[3];
    for (int c = 0; c < 3; ++c)
        over[c] = (bgr[c] * w) >> 8;
    const PixelRect area = OnRaster(rect, destination);
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* out = area.left < area.right ? destination.Pixel(area.left, y) : nullptr;
        for (int x = area.left; x < area.right; ++x, out += 3)
            for (int c = 0; c < 3; ++c)
                out[c] = std::uint8_t(((out[c] * (256 - w)) >> 8) + over[c]);
    }
}

void CopyRect(const CRaster& source, CRaster& destination, const PixelRect& inclusiveRect) {
    const long long right = std::min<long long>((long long)inclusiveRect.right + 1,
                                                std::min(source.Width(), destination.Width()));
    const long long bottom = std::min<long long>((long long)inclusiveRect.bottom + 1,
                                                 std::min(source.Height(), destination.Height()));
    const int left = std::max(inclusiveRect.left, 0);
    const int top = std::max(inclusiveRect.top, 0);
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y)
        std::memcpy(destination.Pixel(left, y), source.Pixel(left, y),
                    std::size_t(right - left) * 3);
}

} // namespace miravo
