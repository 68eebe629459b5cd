#pragma once

#include "vintara/Win32.h"

#include <exception>
#include <string>
#include <string_view>

namespace miravo {

// A modal dialog built from a dialog template of the resources. The object lives for the whole
// run; its window exists while it is shown. OnInit reads the initial values, OnOK validates and
// writes back (returning false keeps the dialog open), so nothing changes unless OK is pressed.
class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    // IDOK or IDCANCEL.
    INT_PTR ShowModal(HWND owner);
    HWND Handle() const { return handle_; }

protected:
    virtual void OnInit() {}
    virtual bool OnOK() { return true; }
    virtual void OnCancel() {}
    // Commands other than OK and Cancel; true when handled.
    virtual bool OnCommand(int id, int notification, HWND control);
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    std::wstring ItemText(int id) const;
    void SetItemText(int id, std::wstring_view text);
    void End(INT_PTR result) { EndDialog(handle_, result); }

private:
    static INT_PTR CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    void ReportError(std::exception_ptr error);

    int templateId_;
    HWND handle_ = nullptr;
};

} // namespace miravo
