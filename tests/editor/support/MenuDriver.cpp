#include "tests/editor/support/MenuDriver.h"

#include <cwctype>
#include <stdexcept>
#include <utility>

namespace miravo::test {

namespace {

constexpr wchar_t kClassName[] = L"MiravoPopupMenuDriver";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 100;
// Popup menus are windows of this system class, whatever menu they show.
constexpr wchar_t kMenuWindowClass[] = L"#32768";

HWND OpenMenuWindow() {
    const HWND window = FindWindowW(kMenuWindowClass, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// The letter after a single '&', or 0.
wchar_t Mnemonic(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (caption[i + 1] != L'&') {
                return caption[i + 1];
            }
            ++i;
        }
    }
    return 0;
}

} // namespace

PopupMenuDriver::PopupMenuDriver(int command, std::function<void()> whileOpen)
    : command_(command), whileOpen_(std::move(whileOpen)) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &Procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = kClassName;
    RegisterClassExW(&type); // fails harmlessly once the class exists
    timerWindow_ = CreateWindowExW(0, kClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (timerWindow_ == nullptr) {
        throw std::runtime_error("the menu driver's window could not be created");
    }
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(timerWindow_, kTimerId, kTimerMs, nullptr);
}

PopupMenuDriver::~PopupMenuDriver() {
    KillTimer(timerWindow_, kTimerId);
    DestroyWindow(timerWindow_);
}

LRESULT CALLBACK PopupMenuDriver::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        auto* driver = reinterpret_cast<PopupMenuDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const HWND menuWindow = OpenMenuWindow();
        if (driver != nullptr && !driver->shown_ && menuWindow != nullptr) {
            KillTimer(window, kTimerId);
            driver->Answer(menuWindow);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PopupMenuDriver::Answer(HWND menuWindow) {
    shown_ = true;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    wchar_t letter = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 127, MF_BYPOSITION);
        entries_.emplace_back(text);
        if (command_ != 0 && GetMenuItemID(menu, i) == static_cast<UINT>(command_) &&
            (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) == 0) {
            letter = Mnemonic(entries_.back());
        }
    }
    if (whileOpen_) {
        whileOpen_();
    }
    if (letter == 0) {
        EndMenu();
        return;
    }
    chosen_ = true;
    PostMessageW(menuWindow, WM_CHAR, static_cast<WPARAM>(std::towlower(letter)), 0);
}

} // namespace miravo::test
