#include "runtime/PlayerWindow.h"

#include "novel/ShiftJis.h"

#include <string>

namespace miravo::runtime {
namespace {

constexpr wchar_t kClassName[] = L"MiravoRunPlayer";
constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::wstring Wide(const std::string& shiftJis) {
    const std::u16string text = sjis::ToUtf16(shiftJis);
    return std::wstring(text.begin(), text.end());
}

HFONT MakeFont(int height, int weight) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"MS PGothic");
}

} // namespace

PlayerWindow::PlayerWindow(HINSTANCE instance, StartScreen screen)
    : instance_(instance), screen_(std::move(screen)), titleFont_(MakeFont(32, FW_BOLD)),
      textFont_(MakeFont(20, FW_NORMAL)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExW(0, kClassName, Wide(screen_.title).c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance_, this);
}

PlayerWindow::~PlayerWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
    DeleteObject(titleFont_);
    DeleteObject(textFont_);
    UnregisterClassW(kClassName, instance_);
}

int PlayerWindow::Run(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

LRESULT CALLBACK PlayerWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->Handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlayerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            DestroyWindow(window_);
            return 0;
        }
        break;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void PlayerWindow::Paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const HGDIOBJ oldFont = SelectObject(dc, titleFont_);
    RECT title{32, 40, kWidth - 32, 100};
    const std::wstring titleText = Wide(screen_.title);
    DrawTextW(dc, titleText.c_str(), -1, &title, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, textFont_);
    SetTextColor(dc, RGB(255, 220, 120));
    RECT name{32, 130, kWidth - 32, 160};
    const std::wstring nameText = Wide(screen_.itemName);
    DrawTextW(dc, nameText.c_str(), -1, &name, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT page{32, 180, kWidth - 32, kHeight - 32};
    const std::wstring pageText = Wide(screen_.firstPage);
    DrawTextW(dc, pageText.c_str(), -1, &page, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(window_, &paint);
}

} // namespace miravo::runtime
