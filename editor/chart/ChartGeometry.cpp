#include "editor/chart/ChartGeometry.h"

#include "novel/NovelData.h"

#include <algorithm>
#include <utility>

namespace miravo {

namespace {
std::int64_t SnapDown(std::int64_t value) {
    const std::int64_t remainder = ((value % kChartGrid) + kChartGrid) % kChartGrid;
    return value - remainder;
}
} // namespace

ChartPoint SnapToGrid(ChartPoint point) { return {SnapDown(point.x), SnapDown(point.y)}; }

bool HitTest(const CNovelItems& items, ChartRect rect, std::vector<int>* hits) {
    if (rect.right < rect.left) {
        std::swap(rect.left, rect.right);
    }
    if (rect.bottom < rect.top) {
        std::swap(rect.top, rect.bottom);
    }
    bool hit = false;
    for (int index = items.Count() - 1; index >= 0; --index) {
        const CNovelItem& item = items[index];
        if (rect.left < std::int64_t{item.X} + kItemBoxWidth && item.X < rect.right &&
            rect.top < std::int64_t{item.Y} + kItemBoxHeight && item.Y < rect.bottom) {
            hit = true;
            if (hits != nullptr && std::find(hits->begin(), hits->end(), index) == hits->end()) {
                hits->push_back(index);
            }
        }
    }
    return hit;
}

ChartPoint ClampToChart(ChartPoint position, int chartWidth, int chartHeight) {
    const auto clamp = [](std::int64_t value, std::int64_t limit) {
        if (value < 0) {
            return std::int64_t{0};
        }
        return value >= limit ? limit : value;
    };
    return {clamp(position.x, std::int64_t{chartWidth} - kItemBoxWidth),
            clamp(position.y, std::int64_t{chartHeight} - kItemBoxHeight)};
}

ChartPoint FindFreePlace(const CNovelItems& items, ChartPoint start) {
    ChartPoint place = SnapToGrid(start);
    // Every box blocks the diagonal for at most a few steps, so this ends after a few steps per
    // item at most.
    do {
        place.x += kChartGrid;
        place.y += kChartGrid;
    } while (HitTest(items, {place.x, place.y, place.x + kItemBoxWidth, place.y + kItemBoxHeight}));
    return place;
}

} // namespace miravo
