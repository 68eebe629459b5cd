#include "editor/chart/ChartDrag.h"

#include <cstdlib>

namespace miravo {

void ChartDrag::PressOnBox(ChartPoint pointer, ChartPoint box) {
    mode_ = DragMode::Pressed;
    grab_ = {pointer.x - box.x, pointer.y - box.y};
    rect_ = {};
    press_ = pointer;
    offset_ = {};
}

void ChartDrag::PressOnEmpty(ChartPoint pointer) {
    mode_ = DragMode::RubberBand;
    grab_ = pointer;
    rect_ = {pointer.x, pointer.y, pointer.x, pointer.y};
}

bool ChartDrag::Move(ChartPoint pointer) {
    switch (mode_) {
    case DragMode::Idle: return false;
    case DragMode::Pressed:
        offset_ = {pointer.x - press_.x, pointer.y - press_.y};
        if (std::llabs(offset_.x) < kDragThreshold && std::llabs(offset_.y) < kDragThreshold) {
            return false;
        }
        mode_ = DragMode::Moving;
        press_ = SnapToGrid(press_);
        grab_ = SnapToGrid(grab_);
        PlaceOutline(SnapToGrid(pointer));
        return true;
    case DragMode::Moving: PlaceOutline(SnapToGrid(pointer)); return true;
    case DragMode::RubberBand: rect_ = {grab_.x, grab_.y, pointer.x, pointer.y}; return true;
    }
    return false;
}

DragMode ChartDrag::Release(ChartPoint pointer) {
    const DragMode ended = mode_;
    if (mode_ == DragMode::RubberBand) {
        rect_ = {grab_.x, grab_.y, pointer.x, pointer.y};
    }
    mode_ = DragMode::Idle;
    return ended;
}

void ChartDrag::PlaceOutline(ChartPoint snappedPointer) {
    offset_ = {snappedPointer.x - press_.x, snappedPointer.y - press_.y};
    const ChartPoint topLeft{snappedPointer.x - grab_.x, snappedPointer.y - grab_.y};
    rect_ = {topLeft.x, topLeft.y, topLeft.x + kItemBoxWidth, topLeft.y + kItemBoxHeight};
}

} // namespace miravo
