#include "editor/widgets/GradientPanel.h"

#include "editor/widgets/Handles.h"
#include "editor/widgets/Paint.h"

namespace miravo {

void GradientPanel::Create(HWND parent, int id, int height) {
    RegisterWindowClass({.name = L"MiravoGradientPanel", .background = nullptr});
    Window::Create({.className = L"MiravoGradientPanel",
                    .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                    .width = 0,
                    .height = height,
                    .parent = parent,
                    .menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))});
}

void GradientPanel::SetBoxes(std::vector<GradientBox> boxes) {
    boxes_ = std::move(boxes);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void GradientPanel::ShowBoxes(bool visible) {
    boxesShown_ = visible;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void GradientPanel::ShowBevel(bool visible) {
    bevelShown_ = visible;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT GradientPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: PaintBackground(reinterpret_cast<HDC>(wParam)); return TRUE;
    case WM_COMMAND:
    case WM_NOTIFY: return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    default: return DefaultMessage(message, wParam, lParam);
    }
}

void GradientPanel::PaintBackground(HDC dc) {
    const RECT area = ClientRect();
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (boxesShown_) {
        for (const GradientBox& box : boxes_) {
            FillGradient(dc, box.bounds, box.from, box.to, box.vertical);
        }
    }
    if (bevelShown_) {
        RECT top = area;
        DrawEdge(dc, &top, EDGE_ETCHED, BF_TOP);
    }
}

} // namespace miravo
