#pragma once

#include "vintara/Win32.h"

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace miravo {

struct WindowClassArgs {
    const wchar_t* name = nullptr;
    UINT style = CS_HREDRAW | CS_VREDRAW;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HCURSOR cursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    HICON icon = nullptr;
};

struct WindowArgs {
    const wchar_t* className = nullptr;
    std::wstring text{};
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;
    HMENU menu = nullptr; // a child window's control id
};

// A window of the editor's own classes, bound to its HWND from WM_NCCREATE to WM_NCDESTROY.
// Messages reach HandleMessage; an exception that escapes a handler abandons that handler and is
// shown by the top-level window's OnException, as every operation's error is. Painting is the
// exception to that: a painter must not throw, since a box raised from WM_PAINT would come back
// with every repaint. Painters draw through PaintPart; a failed part is left out, the rest is
// painted, and the window's first paint failure is shown once, after the paint.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return handle_; }
    static Window* FromHandle(HWND handle);

    std::wstring Text() const;
    void SetText(std::wstring_view text);
    void Show(int command = SW_SHOW) { ShowWindow(handle_, command); }
    bool IsVisible() const { return IsWindowVisible(handle_) != FALSE; }
    void Invalidate(bool erase = true) { InvalidateRect(handle_, nullptr, erase); }
    RECT ClientRect() const;
    // Bounds in the parent's client coordinates (the screen's for a top-level window).
    RECT Bounds() const;
    void SetBounds(int x, int y, int width, int height);

    // Shows a handler's error; the default hands it to the root owner, which shows a message box.
    virtual void OnException(std::exception_ptr error);

protected:
    // Draws one part of the window (inside WM_PAINT). Never throws: a part that fails is left
    // out, and the first failure of this window is shown once the paint is over.
    void PaintPart(const std::function<void()>& part) noexcept;

    static void RegisterWindowClass(const WindowClassArgs& args);
    void Create(const WindowArgs& args);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintFailed(std::exception_ptr error) noexcept;

    HWND handle_ = nullptr;
    // The paint failure waiting to be shown, and whether one was shown already.
    std::exception_ptr paintFailure_;
    bool paintFailureShown_ = false;
};

// The text of a caught exception: an editor error's message, or what() of any other.
std::wstring ExceptionText(std::exception_ptr error);

} // namespace miravo
