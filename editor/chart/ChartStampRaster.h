#pragma once

#include "editor/chart/ChartRaster.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace miravo {

// Figures that every box repeats (its shadow, body, outlines, anchor circles; a name's text) as
// GDI once drew them, kept as runs of pixels relative to the box's top-left corner and stamped
// into the picture: the same pixels as GDI's calls, without their cost.
struct ShapeStamp {
    std::vector<StampRun> runs;
};
// Pixels of their own colours (blue, green, red), where the runs say: `width` pixels a row from
// (left, top) relative to the corner; copied row by row.
struct ColourStamp {
    int left = 0;
    int top = 0;
    int width = 0;
    std::vector<StampRun> runs;
    std::vector<std::uint8_t> pixels;
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
void CopyStamp(const RasterTarget& target, const ColourStamp& stamp, ChartPoint at);
void DarkenStamp(const RasterTarget& target, const TextStamp& stamp, ChartPoint at);
// Shapes filled one over the other, each in its colour, as one stamp that copies in one pass.
ColourStamp ComposeStamp(std::initializer_list<std::pair<const ShapeStamp*, std::uint32_t>> layers);
// Fills the whole picture with one colour.
void FillTarget(const RasterTarget& target, std::uint32_t colour);

} // namespace miravo
