#pragma once

#include "editor/chart/ChartLinks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace miravo {

class CNovelItems;

// A 24-bit picture (blue, green, red; rows from the top, `stride` bytes apart) showing the chart
// from `origin`: chart point (x, y) is pixel (x - origin.x, y - origin.y).
struct RasterTarget {
    std::uint8_t* pixels = nullptr;
    std::size_t stride = 0;
    int width = 0;
    int height = 0;
    ChartPoint origin;
};

// Line and triangle drawing straight into the picture's pixels, for the chart's links: what GDI
// draws with a one-pixel solid pen, without its per-call cost (links are most of a repaint).
// Colours are 0x00BBGGRR. Both clip to the picture and cost only what they show of a long line.

// The line from `from` to `to` without its last pixel, as LineTo draws it.
void RasterLine(const RasterTarget& target, ChartPoint from, ChartPoint to, std::uint32_t colour);
// The triangle filled and outlined in one colour, as Polygon draws it with a pen and a brush of
// that colour.
void RasterTriangle(const RasterTarget& target, const std::array<ChartPoint, 3>& corners,
                    std::uint32_t colour);
// Every link's line and arrowhead in drawing order, in its colour.
void RasterLinks(const RasterTarget& target, const CNovelItems& items,
                 const std::vector<ChartLink>& links, std::uint32_t plainColour,
                 std::uint32_t counterColour);

} // namespace miravo

namespace miravo {

// Figures that every box repeats (its shadow, body, outlines, anchor circles; a name's text) as
// GDI once drew them, kept as runs of pixels relative to the box's top-left corner and stamped
// into the picture: the same pixels as GDI's calls, without their cost.
struct StampRun {
    int y = 0;
    int x0 = 0; // first pixel
    int x1 = 0; // one past the last
};
struct ShapeStamp {
    std::vector<StampRun> runs;
};
// Text drawn black on white: each pixel darkens what lies under it by its own value per channel
// (255 leaves it, 0 makes it black), as black text with a transparent background does.
struct TextStamp {
    int width = 0;
    std::vector<StampRun> runs;       // where it is not white
    std::vector<std::uint8_t> pixels; // blue, green, red; `width` pixels a row
};

void FillStamp(const RasterTarget& target, const ShapeStamp& stamp, ChartPoint at,
               std::uint32_t colour);
// Only where the 8 × 8 pattern (indexed by chart y % 8 · 8 + chart x % 8) is set.
void HatchStamp(const RasterTarget& target, const ShapeStamp& stamp, ChartPoint at,
                std::uint32_t colour, const std::array<std::uint8_t, 64>& pattern);
void DarkenStamp(const RasterTarget& target, const TextStamp& stamp, ChartPoint at);
// Fills the whole picture with one colour.
void FillTarget(const RasterTarget& target, std::uint32_t colour);

} // namespace miravo
