#pragma once

#include "editor/shell/UiText.h"
#include "vintara/Win32.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace miravo {

class IUserInteraction;

// A modal dialog built from a dialog template of the resources. The object lives for the whole
// run; its window exists while it is shown. OnInit reads the initial values, OnOK validates and
// writes back (returning false keeps the dialog open), so nothing changes unless OK is pressed.
// Everything the dialog asks or tells the user (validation boxes, errors) goes through the
// user-interaction interface, so that a test's scripted answerer sees it.
//
// Each dialog keeps its state in a plain values struct with portable functions from the model
// to the values (OnInit shows them) and back (OnOK), so that its rules are tested natively.
class Dialog {
public:
    Dialog(int templateId, IUserInteraction& ui) : templateId_(templateId), ui_(ui) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // IDOK or IDCANCEL.
    INT_PTR ShowModal(HWND owner);
    // The same dialog without a modal loop, for tests: its window stays until a button ends it
    // (or the object goes); Result then tells which.
    HWND CreateModeless(HWND owner);
    std::optional<INT_PTR> Result() const { return result_; }
    HWND Handle() const { return handle_; }

protected:
    virtual void OnInit() {}
    virtual bool OnOK() { return true; }
    virtual void OnCancel() {}
    // Commands other than OK and Cancel; true when handled.
    virtual bool OnCommand(int id, int notification, HWND control);
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    IUserInteraction& Ui() { return ui_; }
    // A validation box; returns false, so that OnOK can `return Refuse(...)` and stay open.
    bool Refuse(const UiText& text, const UiText& caption = "エラー");

    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    std::wstring ItemText(int id) const;
    void SetItemText(int id, std::wstring_view text);
    void End(INT_PTR result);

private:
    static INT_PTR CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    void ReportError(std::exception_ptr error);

    int templateId_;
    IUserInteraction& ui_;
    HWND handle_ = nullptr;
    bool modal_ = true;
    std::optional<INT_PTR> result_;
};

} // namespace miravo
