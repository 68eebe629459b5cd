#include "editor/widgets/Dialog.h"

#include "editor/shell/UserInteraction.h"
#include "editor/widgets/CustomControl.h"
#include "editor/widgets/WideText.h"
#include "editor/widgets/Window.h"

#include <stdexcept>

namespace miravo {

Dialog::~Dialog() {
    if (handle_ != nullptr && !modal_) {
        DestroyWindow(handle_);
    }
}

INT_PTR Dialog::ShowModal(HWND owner) {
    RegisterEditorControls(); // templates may name the editor's own controls
    modal_ = true;
    result_.reset();
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                        &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    result_ = result;
    return result;
}

HWND Dialog::CreateModeless(HWND owner) {
    RegisterEditorControls();
    modal_ = false;
    result_.reset();
    const HWND handle =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                           &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    if (handle == nullptr) {
        throw std::runtime_error("CreateDialogParamW failed");
    }
    ShowWindow(handle, SW_SHOW);
    return handle;
}

void Dialog::End(INT_PTR result) {
    if (modal_) {
        EndDialog(handle_, result);
        return;
    }
    result_ = result;
    DestroyWindow(handle_);
}

bool Dialog::Refuse(const UiText& text, const UiText& caption) {
    ui_.ShowMessage({.text = text,
                     .caption = caption,
                     .buttons = MessageButtons::Ok,
                     .icon = MessageIcon::Error});
    return false;
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
    // As the main window shows every other handler's error.
    ui_.ShowMessage({.text = UiTextOf(ExceptionText(error)),
                     .caption = "Miravo",
                     .buttons = MessageButtons::Ok,
                     .icon = MessageIcon::Error});
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
