#pragma once

#include "picture/Raster.h"

#include <cstdint>

// The small raster routines of the character and text-window previews. Each clips to the
// target raster as well as to its rectangle, so positions may be negative and pictures larger
// than the target.
namespace miravo {

// Right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Copies `source` to (x, y) in `destination`, inside `clip`, except the pixels equal in all three
// bytes to the source's top-left pixel (the key).
void ColorKeyBlit(const CRaster& source, CRaster& destination, int x, int y, const PixelRect& clip);

// Draws `source` at (x, y) inside `clip`, through `transparency` (one byte per source pixel,
// 0 = source opaque, 255 = destination shows through): s + ((d - s) * t) >> 8 per channel.
// Pixels outside the map count as opaque.
void AlphaBlit(const CRaster& source, const CAlphaMap& transparency, CRaster& destination,
               const PixelRect& clip, int x, int y);

// Lays `color` (0x00BBGGRR) over `rect` at `opacity` percent (nothing at 0 or below, at most
// 100): c * (256 - w) >> 8 + colour * w >> 8 with w = opacity * 256 / 100.
void TranslucentFill(CRaster& destination, const PixelRect& rect, std::uint32_t color, int opacity);

// Copies the pixels of `rect`, whose right and bottom edges are INCLUSIVE here, from `source` to
// the same place in `destination`.
void CopyRect(const CRaster& source, CRaster& destination, const PixelRect& inclusiveRect);

} // namespace miravo
