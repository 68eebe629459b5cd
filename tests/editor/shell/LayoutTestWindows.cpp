#include "LayoutTestWindows.h"

namespace miravo::test {

namespace {

constexpr wchar_t kFrameClass[] = L"MiravoLayoutTestFrame";
constexpr wchar_t kChildClass[] = L"MiravoLayoutTestChild";

HWND g_mdiClient = nullptr; // the frame procedure needs it before CreateWindow returns

int Height(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && g_mdiClient) {
        RECT client{};
        GetClientRect(window, &client);
        HWND toolBar = GetDlgItem(window, 1);
        HWND statusBar = GetDlgItem(window, 2);
        MoveWindow(toolBar, 0, 0, client.right, LayoutTestWindows::kToolBarHeight, TRUE);
        MoveWindow(statusBar, 0, client.bottom - LayoutTestWindows::kStatusBarHeight, client.right,
                   LayoutTestWindows::kStatusBarHeight, TRUE);
        MoveWindow(g_mdiClient, 0, LayoutTestWindows::kToolBarHeight, client.right,
                   client.bottom - LayoutTestWindows::kToolBarHeight -
                       LayoutTestWindows::kStatusBarHeight,
                   TRUE);
        return 0;
    }
    return DefFrameProcW(window, g_mdiClient, message, wParam, lParam);
}

// The link panel (control id 10) stays at the bottom with its own height, full width.
LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (HWND panel = GetDlgItem(window, 10)) {
            RECT client{};
            GetClientRect(window, &client);
            int height = Height(panel);
            MoveWindow(panel, 0, client.bottom - height, client.right, height, TRUE);
        }
    }
    return DefMDIChildProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
    WNDCLASSW frame{};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = kFrameClass;
    RegisterClassW(&frame);
    WNDCLASSW child = frame;
    child.lpfnWndProc = ChildProc;
    child.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    child.lpszClassName = kChildClass;
    RegisterClassW(&child);
}

HWND CreateChild(HWND mdiClient, const wchar_t* title, int width, int height) {
    MDICREATESTRUCTW create{};
    create.szClass = kChildClass;
    create.szTitle = title;
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = 10;
    create.y = 10;
    create.cx = width;
    create.cy = height;
    create.style = WS_OVERLAPPEDWINDOW;
    return reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDICREATE, 0, LPARAM(&create)));
}

} // namespace

LayoutTestWindows::LayoutTestWindows() {
    RegisterClasses();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND frame =
        CreateWindowExW(0, kFrameClass, L"レイアウト", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50,
                        30, 900, 620, nullptr, nullptr, instance, nullptr);
    windows_.mainForm = frame;
    windows_.toolBar = CreateWindowExW(0, L"STATIC", L"tool bar", WS_CHILD | WS_VISIBLE, 0, 0, 10,
                                       kToolBarHeight, frame, HMENU(1), instance, nullptr);
    windows_.statusBar = CreateWindowExW(0, L"STATIC", L"status", WS_CHILD | WS_VISIBLE, 0, 0, 10,
                                         kStatusBarHeight, frame, HMENU(2), instance, nullptr);
    CLIENTCREATESTRUCT client{};
    client.idFirstChild = 100;
    g_mdiClient = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                  0, 0, 10, 10, frame, HMENU(3), instance, &client);
    windows_.mdiClient = g_mdiClient;
    ShowWindow(frame, SW_SHOWNORMAL);
    SendMessageW(frame, WM_SIZE, 0, 0);
    windows_.chartForm = CreateChild(g_mdiClient, L"チャート", 300, 200);
    windows_.counterForm = CreateChild(g_mdiClient, L"設定", 300, 180);
    windows_.textForm = CreateChild(g_mdiClient, L"テキスト", 420, 300);
    windows_.linkPanel =
        CreateWindowExW(0, L"STATIC", L"links", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 100, 90,
                        windows_.textForm, HMENU(10), instance, nullptr);
    SendMessageW(windows_.textForm, WM_SIZE, 0, 0);
    Pump();
}

LayoutTestWindows::~LayoutTestWindows() {
    DestroyWindow(windows_.mainForm);
    g_mdiClient = nullptr;
    Pump();
}

void LayoutTestWindows::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace miravo::test
