#include "editor/script/DialogControls.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

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

void NumberField::Create(HWND dialog, int editId, int upDownId, int x, int y, int width,
                         int height) {
    edit_ = AddDialogControl(dialog, L"EDIT", L"", editId, WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT,
                             x, y, width, height, WS_EX_CLIENTEDGE);
    upDown_ = AddDialogControl(dialog, UPDOWN_CLASSW, L"", upDownId,
                               UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0);
    SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    SetBounds(low_, high_, step_);
}

void NumberField::SetBounds(int low, int high, int step) {
    low_ = low;
    high_ = high;
    step_ = step;
    if (upDown_) {
        SendMessageW(upDown_, UDM_SETRANGE32, WPARAM(low), LPARAM(high));
        UDACCEL accel{0, UINT(step)};
        SendMessageW(upDown_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
    SetValue(value_);
}

void NumberField::SetValue(int value) {
    value_ = std::clamp(value, low_, high_);
    if (edit_)
        SetWindowTextW(edit_, std::to_wstring(value_).c_str());
    if (upDown_)
        SendMessageW(upDown_, UDM_SETPOS32, 0, value_);
}

bool NumberField::Commit() {
    const int before = value_;
    wchar_t text[32]{};
    GetWindowTextW(edit_, text, 32);
    wchar_t* end = nullptr;
    const long long typed = std::wcstoll(text, &end, 10);
    SetValue(end == text ? value_ : int(std::clamp<long long>(typed, low_, high_)));
    return value_ != before;
}

void NumberField::Enable(bool enabled) {
    EnableWindow(edit_, enabled);
    EnableWindow(upDown_, enabled);
}

} // namespace miravo
