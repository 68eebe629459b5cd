#pragma once

#include "editor/chart/ChartGeometry.h"

namespace miravo {

// A press becomes a move once the pointer is this far from the press point in X or in Y.
inline constexpr int kDragThreshold = 8;

enum class DragMode { Idle, Pressed, Moving, RubberBand };

// What the pointer does on the chart between button down and button up: the state and its
// arithmetic (threshold, grid, outline rectangle, band), without windows or the model.
class ChartDrag {
public:
    DragMode Mode() const { return mode_; }
    // Moving: the outline of the current item's box; rubber band: the band (not normalised).
    const ChartRect& Rect() const { return rect_; }
    // Moving: how far the other selected boxes go, a multiple of the grid in each direction.
    const ChartPoint& Offset() const { return offset_; }

    // Left button down on a box whose top-left is `box`.
    void PressOnBox(ChartPoint pointer, ChartPoint box);
    // Left button down on empty chart.
    void PressOnEmpty(ChartPoint pointer);
    // The pointer moved; true when the feedback changed (the old one is then to be erased first,
    // which Mode() before the call tells: Pressed had none).
    bool Move(ChartPoint pointer);
    // Button up: the mode it ended (Idle when no drag was under way); the state is idle after.
    DragMode Release(ChartPoint pointer);

private:
    void PlaceOutline(ChartPoint snappedPointer);

    DragMode mode_ = DragMode::Idle;
    ChartRect rect_;
    ChartPoint grab_;
    ChartPoint press_;
    ChartPoint offset_;
};

} // namespace miravo
