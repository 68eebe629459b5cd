#pragma once

#include "editor/chart/ChartGeometry.h"

#include <array>
#include <optional>
#include <vector>

namespace miravo {

class CNovelItems;

// One arrow of the chart: from the source item's anchor to the target item's anchor.
struct ChartLink {
    int source = 0;
    int target = 0;
    bool usesCounter = false; // drawn in the condition colour
    friend bool operator==(const ChartLink&, const ChartLink&) = default;
};

// Where links start and end on a box.
ChartPoint AnchorOf(std::int64_t x, std::int64_t y);

// The arrows the chart draws, in drawing order (item order, then slot order): every enabled slot
// of a non-ending item whose target names an existing item; a name borne by several items leads
// to the last of them.
std::vector<ChartLink> VisibleLinks(const CNovelItems& items);

// The arrowhead at the target end: apex 6 pixels from the target anchor towards the source,
// the two other corners 7 pixels back from the apex at ±π/7; each coordinate truncated toward
// zero. Nothing when both anchors coincide (no direction).
std::optional<std::array<ChartPoint, 3>> ArrowHead(ChartPoint sourceAnchor,
                                                   ChartPoint targetAnchor);

} // namespace miravo
