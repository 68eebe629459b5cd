#include "editor/script/DialogControls.h"

namespace miravo {

HWND AddDialogControl(HWND dialog, const wchar_t* className, std::wstring_view text, int id,
                      DWORD style, int x, int y, int width, int height, DWORD exStyle) {
    const HWND control = CreateWindowExW(exStyle, className, std::wstring(text).c_str(),
                                         WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return control;
}

void SetClientSize(HWND window, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

HFONT DialogFont(HWND dialog) {
    return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}

void SetNumeralBounds(TUDNumeralEdit& field, int low, int high) {
    field.SetMaximum(kNumeralHighest);
    field.SetMinimum(low);
    field.SetMaximum(high);
}

} // namespace miravo
