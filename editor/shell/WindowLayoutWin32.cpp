#include "editor/shell/WindowLayoutWin32.h"

#include "editor/shell/Settings.h"
#include "editor/shell/UserInteraction.h"

namespace miravo {

namespace {

int VisibleHeight(HWND window) {
    if (!window || !IsWindowVisible(window))
        return 0;
    return GetWindowBounds(window).height;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void RestoreChild(const LayoutWindows& windows, HWND child) {
    if (IsIconic(child) || IsZoomed(child))
        SendMessageW(windows.mdiClient, WM_MDIRESTORE, WPARAM(child), 0);
}

// The panel's parent lays out its other controls around the panel on WM_SIZE.
void RelayoutParentOf(HWND panel) {
    HWND parent = GetParent(panel);
    if (!parent)
        return;
    SIZE size = ClientSize(parent);
    SendMessageW(parent, WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
}

// Moves and restores repaint only what each one uncovered; after a whole arrangement strips of
// the windows could stay unpainted. Everything in the client area is painted again, frames and
// controls included.
void RepaintAll(HWND mdiClient) {
    if (mdiClient)
        RedrawWindow(mdiClient, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void SetLinkPanelBounds(HWND panel, const WindowBounds& bounds) {
    SetWindowBounds(panel, bounds);
    RelayoutParentOf(panel);
}

WindowBounds VirtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void RestoreBounds(const IProfileFile& file, std::string_view name, HWND window) {
    if (window)
        SetWindowBounds(window, ReadWindowBounds(file, name, GetWindowBounds(window)));
}

// The bounds the window has when it is neither minimized nor maximized, whatever it is now: a
// minimized window's own rectangle is its icon, which must never become its size at the next
// start. The placement of a top-level window is in workspace coordinates (the work area's
// origin), which this turns into screen coordinates.
WindowBounds NormalBounds(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return GetWindowBounds(window);
    RECT rect = placement.rcNormalPosition;
    const bool workspace = !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
                           !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    if (workspace) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &monitor))
            OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Maximized now, or minimized from the maximized state.
bool IsMaximizedPlacement(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return IsZoomed(window) != FALSE;
    return placement.showCmd == SW_SHOWMAXIMIZED ||
           (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
}

void SaveBounds(IProfileFile& file, std::string_view name, HWND window) {
    if (window)
        WriteWindowBounds(file, name, NormalBounds(window));
}

} // namespace

WindowBounds GetWindowBounds(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    HWND parent = GetAncestor(window, GA_PARENT);
    if (parent && parent != GetDesktopWindow())
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void SetWindowBounds(HWND window, const WindowBounds& bounds) {
    SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ArrangeWindows(const LayoutWindows& windows) {
    if (windows.mdiClient)
        SendMessageW(windows.mdiClient, WM_MDIICONARRANGE, 0, 0);
    for (HWND child : {windows.textForm, windows.counterForm, windows.chartForm}) {
        if (child)
            RestoreChild(windows, child);
    }
    SIZE client = ClientSize(windows.mainForm);
    ArrangeMetrics metrics;
    metrics.mainClientWidth = client.cx;
    metrics.mainClientHeight = client.cy;
    metrics.toolBarHeight = VisibleHeight(windows.toolBar);
    metrics.statusBarHeight = VisibleHeight(windows.statusBar);
    if (windows.textForm)
        metrics.textFormWidth = GetWindowBounds(windows.textForm).width;
    if (windows.counterForm)
        metrics.counterFormHeight = GetWindowBounds(windows.counterForm).height;
    ArrangedChildren arranged = ArrangeChildWindows(metrics);
    if (windows.textForm)
        SetWindowBounds(windows.textForm, arranged.textForm);
    if (windows.counterForm)
        SetWindowBounds(windows.counterForm, arranged.counterForm);
    if (windows.chartForm)
        SetWindowBounds(windows.chartForm, arranged.chartForm);
    RepaintAll(windows.mdiClient);
}

bool AskResetWindowLayout(IUserInteraction& ui) {
    MessageRequest request;
    request.text = "ウィンドウの位置を初期化しますか？";
    request.caption = "ウィンドウ位置を初期化";
    request.buttons = MessageButtons::YesNo;
    request.icon = MessageIcon::Question;
    request.defaultButton = 2; // No: a slip of the Enter key keeps the layout
    return ui.ShowMessage(request) == MessageResult::Yes;
}

void ResetWindowLayout(const LayoutWindows& windows) {
    if (!IsZoomed(windows.mainForm))
        ShowWindow(windows.mainForm, SW_MAXIMIZE);
    if (windows.textForm) {
        RestoreChild(windows, windows.textForm);
        WindowBounds bounds = GetWindowBounds(windows.textForm);
        bounds.width = OuterSizeForClient(bounds.width, ClientSize(windows.textForm).cx,
                                          kResetTextFormClientWidth);
        SetWindowBounds(windows.textForm, bounds);
    }
    if (windows.linkPanel) {
        WindowBounds bounds = GetWindowBounds(windows.linkPanel);
        bounds.height = kResetLinkPanelHeight;
        SetLinkPanelBounds(windows.linkPanel, bounds);
    }
    if (windows.counterForm) {
        RestoreChild(windows, windows.counterForm);
        WindowBounds bounds = GetWindowBounds(windows.counterForm);
        bounds.height = OuterSizeForClient(bounds.height, ClientSize(windows.counterForm).cy,
                                           kResetCounterFormClientHeight);
        SetWindowBounds(windows.counterForm, bounds);
    }
    ArrangeWindows(windows);
}

bool RestoreWindowLayout(const IProfileFile& file, const LayoutWindows& windows) {
    const bool resumeEnabled = ReadResumeEnabled(file);
    if (!resumeEnabled) {
        ShowWindow(windows.mainForm, SW_MAXIMIZE);
        ArrangeWindows(windows);
        return false;
    }
    WindowBounds main = ReadWindowBounds(file, kMainFormName, GetWindowBounds(windows.mainForm));
    SetWindowBounds(windows.mainForm, ClampToVirtualScreen(main, VirtualScreen()));
    if (ReadMaximized(file, kMainFormName))
        ShowWindow(windows.mainForm, SW_MAXIMIZE);
    ArrangeWindows(windows);
    RestoreBounds(file, kTextFormName, windows.textForm);
    if (windows.linkPanel) {
        SetLinkPanelBounds(windows.linkPanel, ReadWindowBounds(file, kLinkPanelName,
                                                               GetWindowBounds(windows.linkPanel)));
    }
    RestoreBounds(file, kCounterFormName, windows.counterForm);
    RestoreBounds(file, kChartFormName, windows.chartForm);
    return true;
}

void SaveWindowLayout(IProfileFile& file, const LayoutWindows& windows, bool resumeEnabled) {
    WriteResumeEnabled(file, resumeEnabled);
    if (!resumeEnabled)
        return;
    WriteMaximized(file, kMainFormName, IsMaximizedPlacement(windows.mainForm));
    SaveBounds(file, kMainFormName, windows.mainForm);
    SaveBounds(file, kTextFormName, windows.textForm);
    SaveBounds(file, kLinkPanelName, windows.linkPanel);
    SaveBounds(file, kCounterFormName, windows.counterForm);
    SaveBounds(file, kChartFormName, windows.chartForm);
}

} // namespace miravo
