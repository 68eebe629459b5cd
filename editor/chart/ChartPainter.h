#pragma once

#include "editor/chart/ChartOperations.h"
#include "vintara/Win32.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace miravo {

struct CNovelModel;
class ChartStamps;

// Everything the chart's picture shows.
struct ChartScene {
    const CNovelModel* model = nullptr;
    int currentItem = -1;
    const ChartSelection* selection = nullptr;
    const std::string* markName = nullptr; // Shift-JIS
    HFONT nameFont = nullptr;
    HFONT currentNameFont = nullptr; // bold
    HIMAGELIST markImages = nullptr; // the first image is the mark glyph
    // With the picture's pixels: the figures stamped instead of drawn (see ChartStamps).
    ChartStamps* stamps = nullptr;
};

// Paints the part of the chart from `origin` of `width` × `height` pixels into dc at (0, 0), in
// the chart's drawing order: ground, border, boxes, links with arrowheads, anchors and names,
// marks. What lies wholly outside the part is skipped, so a window-sized part of a huge chart
// costs what it shows. With `pixels` (the 24-bit top-down DIB section selected into dc, rows
// `stride` bytes apart) the links are drawn straight into them, which is many times faster than
// GDI's line calls and differs from them at most by a pixel's step along a line; with the scene's
// stamps too, every figure is stamped as GDI drew it (GDI draws only the border), band by band
// of rows so that each band is drawn whole while it is in the cache. Never throws.
void PaintChart(HDC dc, const ChartScene& scene, POINT origin, int width, int height,
                std::uint8_t* pixels = nullptr, std::size_t stride = 0) noexcept;

} // namespace miravo
