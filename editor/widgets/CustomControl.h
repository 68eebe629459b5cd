#pragma once

#include "vintara/Win32.h"

#include <memory>

namespace miravo {

// The editor's own control classes, so that dialog templates can name them ("MiravoNumeralEdit",
// ...) as well as code. Registering is idempotent; the dialog base does it before any template.
void RegisterEditorControls();

// A control whose state lives in an object of type State, made when its window is created (from
// code or a template alike) and destroyed with the window; so the control needs no owner object.
// State has a constructor from HWND and `LRESULT Handle(UINT, WPARAM, LPARAM)`.
template <class State> struct SelfOwnedControl {
    static State* Of(HWND handle) {
        return reinterpret_cast<State*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
    }

    static LRESULT CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto state = std::make_unique<State>(handle);
            SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
        }
        State* state = Of(handle);
        if (state == nullptr) {
            return DefWindowProcW(handle, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
            delete state;
            return DefWindowProcW(handle, message, wParam, lParam);
        }
        // A control's fault must not unwind through the window manager: the message gets the
        // default handling instead.
        try {
            return state->Handle(message, wParam, lParam);
        } catch (...) {
            return DefWindowProcW(handle, message, wParam, lParam);
        }
    }

    static void Register(const wchar_t* className, HCURSOR cursor = nullptr) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor =
            cursor != nullptr ? cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
};

// Tells the control's parent about an event, as standard controls do (WM_COMMAND with the
// control's id and the notification code).
inline void NotifyParent(HWND control, WORD code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

} // namespace miravo
