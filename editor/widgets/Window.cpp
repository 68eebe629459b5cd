#include "editor/widgets/Window.h"

#include "editor/widgets/WideText.h"

#include <stdexcept>

namespace miravo {

Window::~Window() {
    if (handle_ != nullptr) {
        // Children are destroyed with their parent; only a window that still exists is destroyed.
        const HWND handle = handle_;
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        handle_ = nullptr;
        DestroyWindow(handle);
    }
}

Window* Window::FromHandle(HWND handle) {
    return handle == nullptr ? nullptr
                             : reinterpret_cast<Window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

std::wstring Window::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Window::SetText(std::wstring_view text) {
    SetWindowTextW(handle_, std::wstring(text).c_str());
}

RECT Window::ClientRect() const {
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect;
}

RECT Window::Bounds() const {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    if (const HWND parent = GetParent(handle_);
        parent != nullptr && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

void Window::SetBounds(int x, int y, int width, int height) {
    SetWindowPos(handle_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::OnException(std::exception_ptr error) {
    const HWND root = GetAncestor(handle_, GA_ROOTOWNER);
    if (Window* owner = FromHandle(root); owner != nullptr && owner != this) {
        owner->OnException(error);
        return;
    }
    MessageBoxW(root, ExceptionText(error).c_str(), L"Miravo", MB_OK | MB_ICONERROR);
}

namespace {

// The program file's own icon: its first icon group (what the shell shows as icon index 0), in
// the size asked for; null when the program has none. Shared icons: never destroyed.
HICON ProgramIcon(int size) {
    const HMODULE program = GetModuleHandleW(nullptr);
    LPWSTR first = nullptr;
    EnumResourceNamesW(
        program, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            *reinterpret_cast<LPWSTR*>(found) = name;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    if (first == nullptr || !IS_INTRESOURCE(first)) {
        return nullptr;
    }
    return static_cast<HICON>(LoadImageW(program, first, IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

void Window::RegisterWindowClass(const WindowClassArgs& args) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = args.style;
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = args.cursor;
    // Every window of the program carries its icon unless it brings its own.
    windowClass.hIcon = args.icon != nullptr ? args.icon : ProgramIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm =
        args.icon != nullptr ? nullptr : ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.hbrBackground = args.background;
    windowClass.lpszClassName = args.name;
    // A class registered by an earlier window of the same kind stays valid.
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("RegisterClassExW failed");
    }
}

void Window::Create(const WindowArgs& args) {
    const HWND handle = CreateWindowExW(args.exStyle, args.className, args.text.c_str(), args.style,
                                        args.x, args.y, args.width, args.height, args.parent,
                                        args.menu, GetModuleHandleW(nullptr), this);
    if (handle == nullptr) {
        throw std::runtime_error("CreateWindowExW failed");
    }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultMessage(message, wParam, lParam);
}

LRESULT Window::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(handle);
    if (window == nullptr && message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        void* parameter = create->lpCreateParams;
        // An MDI child receives its creation parameter inside the MDI creation record.
        if (create->dwExStyle & WS_EX_MDICHILD) {
            parameter = reinterpret_cast<void*>(
                static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams)->lParam);
        }
        window = static_cast<Window*>(parameter);
        window->handle_ = handle;
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (window == nullptr) {
        return DefWindowProcW(handle, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = window->HandleMessage(message, wParam, lParam);
    } catch (...) {
        window->OnException(std::current_exception());
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
        window->handle_ = nullptr;
    }
    return result;
}

std::wstring ExceptionText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& exception) {
        return Widen(exception.what());
    } catch (...) {
        return L"予期しないエラーが発生しました.";
    }
}

} // namespace miravo
