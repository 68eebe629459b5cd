#include "editor/chart/ChartDrag.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

TEST(ChartDragTest, PressMovesOnlyPastTheThresholdAndThenFollowsTheGrid) {
    ChartDrag drag;
    // Box at (100, 50), grabbed 13/5 pixels inside.
    drag.PressOnBox({113, 55}, {100, 50});
    EXPECT_EQ(drag.Mode(), DragMode::Pressed);
    EXPECT_FALSE(drag.Move({120, 62})); // 7 and 7 away: still a press
    EXPECT_EQ(drag.Mode(), DragMode::Pressed);
    EXPECT_TRUE(drag.Move({113, 63})); // 8 down
    EXPECT_EQ(drag.Mode(), DragMode::Moving);
    // Snapped pointer (112, 56) - snapped grab (8, 0): top-left on the grid.
    EXPECT_EQ(drag.Rect().left, 104);
    EXPECT_EQ(drag.Rect().top, 56);
    EXPECT_EQ(drag.Rect().right, 104 + kItemBoxWidth);
    EXPECT_EQ(drag.Rect().bottom, 56 + kItemBoxHeight);
    // Offset: snapped pointer - snapped press point (112, 48).
    EXPECT_EQ(drag.Offset(), (ChartPoint{0, 8}));
    EXPECT_TRUE(drag.Move({150, 20}));
    EXPECT_EQ(drag.Rect().left, 136);
    EXPECT_EQ(drag.Rect().top, 16);
    EXPECT_EQ(drag.Offset(), (ChartPoint{32, -32}));
    EXPECT_EQ(drag.Release({150, 20}), DragMode::Moving);
    EXPECT_EQ(drag.Mode(), DragMode::Idle);
    EXPECT_FALSE(drag.Move({0, 0}));
}

TEST(ChartDragTest, ClickAndBandEndAsTheyBegan) {
    ChartDrag drag;
    drag.PressOnBox({10, 10}, {0, 0});
    EXPECT_EQ(drag.Release({12, 12}), DragMode::Pressed);

    drag.PressOnEmpty({300, 200});
    EXPECT_EQ(drag.Mode(), DragMode::RubberBand);
    EXPECT_TRUE(drag.Move({250, 260}));
    EXPECT_EQ(drag.Rect().left, 300);
    EXPECT_EQ(drag.Rect().right, 250);
    EXPECT_EQ(drag.Release({240, 270}), DragMode::RubberBand);
    // The band ends where the button came up.
    EXPECT_EQ(drag.Rect().right, 240);
    EXPECT_EQ(drag.Rect().bottom, 270);
    EXPECT_EQ(drag.Mode(), DragMode::Idle);
}

} // namespace
} // namespace miravo
