#include "editor/chart/ChartGeometry.h"

#include "novel/NovelData.h"

#include <gtest/gtest.h>

#include <climits>

namespace miravo {
namespace {

CNovelItems ItemsAt(std::initializer_list<std::pair<int, int>> positions) {
    CNovelItems items;
    for (const auto& [x, y] : positions) {
        CNovelItem& item = items.Add();
        item.X = x;
        item.Y = y;
    }
    return items;
}

TEST(ChartGeometryTest, HitTestCountsOverlapNotTouchingAndListsTopBoxFirst) {
    const CNovelItems items = ItemsAt({{0, 0}, {100, 10}, {500, 500}});
    std::vector<int> hits;
    // Touching a box's right edge (x = 640) or bottom edge (y = 522) is no hit.
    EXPECT_FALSE(HitTest(items, {640, 500, 700, 510}));
    EXPECT_FALSE(HitTest(items, {500, 522, 510, 530}));
    EXPECT_TRUE(HitTest(items, {639, 521, 700, 530}));
    // A point inside both of the first two boxes: the later (drawn on top) comes first.
    EXPECT_TRUE(HitTest(items, {120, 15, 121, 16}, &hits));
    EXPECT_EQ(hits, (std::vector<int>{1, 0}));
    // A reversed rectangle is normalised; indices already listed are not added twice.
    EXPECT_TRUE(HitTest(items, {600, 600, 0, 0}, &hits));
    EXPECT_EQ(hits, (std::vector<int>{1, 0, 2}));
}

TEST(ChartGeometryTest, ClampAndSnapKeepBoxesOnTheChartAndTheGrid) {
    EXPECT_EQ(ClampToChart({-5, -1}, 1000, 1200), (ChartPoint{0, 0}));
    EXPECT_EQ(ClampToChart({860, 1178}, 1000, 1200), (ChartPoint{860, 1178}));
    EXPECT_EQ(ClampToChart({861, 1179}, 1000, 1200), (ChartPoint{860, 1178}));
    EXPECT_EQ(SnapToGrid({15, 16}), (ChartPoint{8, 16}));
    EXPECT_EQ(SnapToGrid({-1, -9}), (ChartPoint{-8, -16}));
}

TEST(ChartGeometryTest, FreePlaceSearchEndsEvenNearTheEndOfTheRange) {
    // Boxes along the diagonal block several steps each; the search passes all of them.
    CNovelItems items;
    for (int i = 0; i < 50; ++i) {
        CNovelItem& item = items.Add();
        item.X = 8 + i * 16;
        item.Y = 8 + i * 16;
    }
    const ChartPoint place = FindFreePlace(items, {0, 0});
    EXPECT_FALSE(
        HitTest(items, {place.x, place.y, place.x + kItemBoxWidth, place.y + kItemBoxHeight}));
    const CNovelItems far = ItemsAt({{INT_MAX - 8, INT_MAX - 8}});
    const ChartPoint beyond = FindFreePlace(far, {INT_MAX - 16, INT_MAX - 16});
    EXPECT_GT(beyond.x, std::int64_t{INT_MAX});
}

} // namespace
} // namespace miravo
