#pragma once

#include "editor/chart/ChartStampRaster.h"
#include "editor/chart/HelperThread.h"
#include "vintara/Win32.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

namespace miravo {

class NameCanvas;

// The chart's repeated figures captured from GDI once (boxes, outlines, anchors, the selection's
// hatching, the mark glyph) and each name's text captured the first time it is painted, so that
// a repaint stamps them instead of calling GDI thousands of times; the links' arrowheads are
// kept too, with the working lists and the second thread of the repaint. Names are kept until the
// fonts change; the cache is dropped at the start of a repaint once it has grown past every name a
// novel can hold twice over.
class ChartStamps {
public:
    ChartStamps(HFONT nameFont, HFONT currentNameFont, bool useSecondCore = true);
    ~ChartStamps();
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
    // Shadow and body in each link type's colours, and both anchor circles: one copy each. The
    // painter composes them with its colours on first use.
    std::array<ColourStamp, 3> boxes;
    ColourStamp anchors;
    bool composed = false;
    LinkCache links;
    // The picture is painted in two halves at once, the lower one on the helper.
    std::array<LinkWork, 2> linkWork;
    HelperThread helper;

    // Drops the names once there are too many; call before a repaint takes any Name.
    void ForgetNamesIfMany();

    // The name as ExtTextOut draws it at (18, 5) from the box's corner, clipped to 136 × 22.
    const TextStamp& Name(const std::string& shiftJisName, bool current);
    // The image list's first image as ImageList_Draw draws it transparently at (120, 4).
    const ColourStamp& Mark(HIMAGELIST images);

private:
    HFONT fonts_[2];
    std::unordered_map<std::string, TextStamp> names_[2];
    std::unique_ptr<NameCanvas> canvas_; // made on the first name
    HIMAGELIST markImages_ = nullptr;
    ColourStamp mark_;
};

} // namespace miravo
