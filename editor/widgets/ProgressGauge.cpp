#include "editor/widgets/ProgressGauge.h"

#include "editor/widgets/Handles.h"
#include "editor/widgets/Paint.h"

#include <algorithm>

namespace miravo {

void ProgressGauge::Create(HWND parent, int x, int y, int width, int height) {
    RegisterWindowClass({.name = L"MiravoProgressGauge", .background = nullptr});
    Window::Create({.className = L"MiravoProgressGauge",
                    .style = WS_CHILD | WS_VISIBLE,
                    .x = x,
                    .y = y,
                    .width = width,
                    .height = height,
                    .parent = parent});
}

void ProgressGauge::SetMaximum(int maximum) {
    maximum_ = std::max(maximum, 1);
    Invalidate(false);
}

void ProgressGauge::SetPosition(int position) {
    position_ = std::clamp(position, 0, maximum_);
    Invalidate(false);
}

LRESULT ProgressGauge::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    default: return DefaultMessage(message, wParam, lParam);
    }
}

void ProgressGauge::Paint() {
    const PaintScope paint(Handle());
    const RECT area = ClientRect();
    const BrushHandle frame(CreateSolidBrush(RGB(96, 112, 144)));
    const BrushHandle empty(CreateSolidBrush(RGB(236, 240, 248)));
    FillRect(paint.Dc(), &area, frame.Get());
    RECT inside{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
    FillRect(paint.Dc(), &inside, empty.Get());
    RECT filled = inside;
    filled.right = inside.left + (inside.right - inside.left) * position_ / maximum_;
    FillGradient(paint.Dc(), filled, RGB(120, 170, 240), RGB(40, 90, 190), true);
}

} // namespace miravo
