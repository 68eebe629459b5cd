#include "editor/widgets/SplashWindow.h"

#include "editor/widgets/Paint.h"

namespace miravo {

namespace {
constexpr UINT_PTR kCheckTimer = 1;
}

void SplashWindow::Create(std::wstring versionText, int steps) {
    versionText_ = std::move(versionText);
    titleFont_ = CreateUiFont(L"Arial", 28, true);
    textFont_ = CreateUiFont(L"ＭＳ Ｐゴシック", 9);
    RegisterWindowClass({.name = L"MiravoSplash", .background = nullptr});
    // Centred on the primary monitor, like any start-up screen.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    Window::Create({.className = L"MiravoSplash",
                    .text = L"Miravo",
                    .style = WS_POPUP | WS_BORDER,
                    .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                    .x = x,
                    .y = y,
                    .width = kWidth,
                    .height = kHeight});
    gauge_.Create(Handle(), 12, kHeight - 16, kWidth - 26, 5);
    gauge_.SetMaximum(steps);
    Show(SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
    SetTimer(Handle(), kCheckTimer, kCheckInterval, nullptr);
}

void SplashWindow::Advance() {
    if (!IsOpen()) {
        return;
    }
    gauge_.Step();
    // Start-up runs before the message loop, so the gauge is painted at once.
    UpdateWindow(gauge_.Handle());
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
        if (wParam == kCheckTimer) {
            CheckGauge();
        }
        return 0;
    case WM_DESTROY: KillTimer(Handle(), kCheckTimer); return 0;
    default: return DefaultMessage(message, wParam, lParam);
    }
}

void SplashWindow::CheckGauge() {
    if (gauge_.IsFull() && ++fullChecks_ >= kFullChecksToClose) {
        DestroyWindow(Handle());
        return;
    }
    StayOnTop();
}

// Topmost alone is not enough: the main window, shown and activated after the splash, can end up
// above it on screen (under Wine it does at once). At every check the splash takes its place on
// top again, until it closes.
void SplashWindow::StayOnTop() {
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, kKeep);
}

void SplashWindow::Paint() {
    const PaintScope paint(Handle());
    const HDC dc = paint.Dc();
    RECT area = ClientRect();
    FillGradient(dc, area, RGB(250, 252, 255), RGB(196, 214, 240), true);
    RECT band{0, 0, area.right, 6};
    FillGradient(dc, band, RGB(40, 90, 190), RGB(120, 170, 240), false);
    SetBkMode(dc, TRANSPARENT);
    {
        const SelectScope font(dc, titleFont_.Get());
        RECT title{16, 24, area.right - 12, 70};
        SetTextColor(dc, RGB(36, 64, 128));
        DrawTextW(dc, L"Miravo", -1, &title, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    const SelectScope font(dc, textFont_.Get());
    SetTextColor(dc, RGB(60, 72, 96));
    RECT caption{18, 70, area.right - 12, 90};
    DrawTextW(dc, L"サウンドノベル エディタ", -1, &caption, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    RECT version{18, 92, area.right - 14, 110};
    DrawTextW(dc, versionText_.c_str(), -1, &version, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace miravo
