#pragma once

#include <cstdint>
#include <vector>

namespace miravo {

class CNovelItems;

// Every item is a box of this size on the chart, its position the top-left corner.
inline constexpr int kItemBoxWidth = 140;
inline constexpr int kItemBoxHeight = 22;
// Moved and new boxes step on this grid.
inline constexpr int kChartGrid = 8;

struct ChartPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// Left/top inclusive, right/bottom exclusive; 64-bit so that positions read from a file near the
// ends of the 32-bit range cannot overflow the arithmetic.
struct ChartRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// Each coordinate snapped down to the grid (towards minus infinity).
ChartPoint SnapToGrid(ChartPoint point);

// Whether any item box intersects rect (normalised first). Items are tested from the last to the
// first, so with a list the first index is the box drawn on top; indices already in the list
// are not added again.
bool HitTest(const CNovelItems& items, ChartRect rect, std::vector<int>* hits = nullptr);

// A position moved so that the box lies inside a chart of the given size.
ChartPoint ClampToChart(ChartPoint position, int chartWidth, int chartHeight);

// Where a new box goes: from the grid point at or before `start`, diagonal steps of one grid
// until the box overlaps no item.
ChartPoint FindFreePlace(const CNovelItems& items, ChartPoint start);

} // namespace miravo
