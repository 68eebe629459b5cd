#include "editor/widgets/Dialog.h"

#include "editor/widgets/Window.h"

namespace miravo {

INT_PTR Dialog::ShowModal(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                           &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::OnCommand(int, int, HWND) { return false; }

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInit(); return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            if (OnOK()) {
                End(IDOK);
            }
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            End(IDCANCEL);
            return TRUE;
        }
        return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    default: return FALSE;
    }
}

std::wstring Dialog::ItemText(int id) const {
    const HWND item = Item(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Dialog::SetItemText(int id, std::wstring_view text) {
    SetDlgItemTextW(handle_, id, std::wstring(text).c_str());
}

void Dialog::ReportError(std::exception_ptr error) {
    // The owner's window shows the error as every other handler's error is shown.
    if (Window* owner = Window::FromHandle(GetAncestor(handle_, GA_ROOTOWNER)); owner != nullptr) {
        owner->OnException(error);
    } else {
        MessageBoxW(handle_, ExceptionText(error).c_str(), L"Miravo", MB_OK | MB_ICONERROR);
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(handle, DWLP_USER));
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->handle_ = handle;
        SetWindowLongPtrW(handle, DWLP_USER, lParam);
    }
    if (dialog == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        dialog->ReportError(std::current_exception());
        result = TRUE;
    }
    if (message == WM_NCDESTROY) {
        dialog->handle_ = nullptr;
    }
    return result;
}

} // namespace miravo
