#pragma once

#include "editor/chart/ChartRaster.h"
#include "vintara/Win32.h"

#include <array>
#include <string>
#include <unordered_map>

namespace miravo {

// The chart's repeated figures captured from GDI once (boxes, outlines, anchors, the selection's
// hatching) and each name's text captured the first time it is painted, so that a repaint stamps
// them instead of calling GDI thousands of times. Names are kept until the fonts change; the
// cache is dropped when it grows past every name a novel can hold twice over.
class ChartStamps {
public:
    ChartStamps(HFONT nameFont, HFONT currentNameFont);
    ChartStamps(const ChartStamps&) = delete;
    ChartStamps& operator=(const ChartStamps&) = delete;

    ShapeStamp shadow;
    ShapeStamp body;
    ShapeStamp selectionInside; // hatched where the pattern is set
    ShapeStamp selectionOutline;
    ShapeStamp currentOutline;
    ShapeStamp anchorShadow;
    ShapeStamp anchor;
    std::array<std::uint8_t, 64> hatch{};

    // The name as ExtTextOut draws it at (18, 5) from the box's corner, clipped to 136 × 22.
    const TextStamp& Name(const std::string& shiftJisName, bool current);

private:
    HFONT fonts_[2];
    std::unordered_map<std::string, TextStamp> names_[2];
};

} // namespace miravo
