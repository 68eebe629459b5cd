#include "editor/widgets/MdiWindows.h"

#include <stdexcept>

namespace miravo {

namespace {
constexpr UINT kFirstChildId = 50000;
}

void MdiFrame::CreateMdiClient() {
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = nullptr; // the window menu lists commands only, no child windows
    client.idFirstChild = kFirstChildId;
    mdiClient_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                 0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), &client);
    if (mdiClient_ == nullptr) {
        throw std::runtime_error("the MDI client could not be created");
    }
}

LRESULT MdiFrame::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefFrameProcW(Handle(), mdiClient_, message, wParam, lParam);
}

void MdiChild::CreateChild(const MdiChildArgs& args) {
    RegisterWindowClass({.name = args.className});
    Create({.className = args.className,
            .text = args.caption,
            .style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
            .exStyle = WS_EX_MDICHILD,
            .x = args.x,
            .y = args.y,
            .width = args.width,
            .height = args.height,
            .parent = args.mdiClient});
}

LRESULT MdiChild::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: ShowWindow(Handle(), SW_MINIMIZE); return 0;
    case WM_SIZE: {
        const LRESULT result = DefaultMessage(message, wParam, lParam);
        if (wParam != SIZE_MINIMIZED) {
            LayoutChildren(LOWORD(lParam), HIWORD(lParam));
        }
        return result;
    }
    default: return DefaultMessage(message, wParam, lParam);
    }
}

LRESULT MdiChild::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcW(Handle(), message, wParam, lParam);
}

} // namespace miravo
