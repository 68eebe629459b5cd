#include "editor/widgets/NumeralEdit.h"

#include "editor/widgets/CustomControl.h"

#include <commctrl.h>

#include <cwchar>
#include <stdexcept>
#include <string>

namespace miravo {

namespace {

// The window behind TUDNumeralEdit: an edit and an up-down pair inside one container, which is
// the control the parent sees (its id, its notifications, its text).
class NumeralEditState {
public:
    explicit NumeralEditState(HWND handle) : handle_(handle) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_CREATE: return Created(*reinterpret_cast<CREATESTRUCTW*>(lParam));
        case WM_SIZE: Layout(); return 0;
        case WM_SETFOCUS: SetFocus(edit_); return 0;
        case WM_ENABLE:
            EnableWindow(edit_, static_cast<BOOL>(wParam));
            EnableWindow(upDown_, static_cast<BOOL>(wParam));
            return 0;
        case WM_SETFONT:
            SendMessageW(edit_, WM_SETFONT, wParam, lParam);
            Layout();
            return 0;
        case WM_GETFONT: return SendMessageW(edit_, WM_GETFONT, 0, 0);
        case WM_SETTEXT:
            // Text set from outside (a dialog, a test driver) is a commit of what it stands for.
            if (const auto value = ParseNumeral(
                    lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"", bounds_)) {
                Commit(*value);
            } else {
                Show();
            }
            return TRUE;
        case WM_GETTEXT: return SendMessageW(edit_, WM_GETTEXT, wParam, lParam);
        case WM_GETTEXTLENGTH: return SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom == upDown_ && header.code == UDN_DELTAPOS) {
                const auto& change = *reinterpret_cast<const NMUPDOWN*>(lParam);
                StepBy(change.iDelta > 0 ? 1 : -1);
                return TRUE; // the pair keeps no position of its own
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            // A disabled field shows the button face, as a disabled control should.
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case NEM_GETVALUE: CommitTyped(); return value_;
        case NEM_SETVALUE: Commit(bounds_.Clamp(static_cast<int>(wParam))); return 0;
        case NEM_GETMINIMUM: return bounds_.minimum;
        case NEM_SETMINIMUM: SetBounds(bounds_.WithMinimum(static_cast<int>(wParam))); return 0;
        case NEM_GETMAXIMUM: return bounds_.maximum;
        case NEM_SETMAXIMUM: SetBounds(bounds_.WithMaximum(static_cast<int>(wParam))); return 0;
        case NEM_GETSTEP: return step_;
        case NEM_SETSTEP: step_ = std::max(1, static_cast<int>(wParam)); return 0;
        case NEM_GETEDIT: return reinterpret_cast<LRESULT>(edit_);
        case NEM_GETUPDOWN: return reinterpret_cast<LRESULT>(upDown_);
        default: return DefWindowProcW(handle_, message, wParam, lParam);
        }
    }

private:
    LRESULT Created(const CREATESTRUCTW& create) {
        // Tab moves into the edit, not onto the container.
        SetWindowLongPtrW(handle_, GWL_STYLE, create.style & ~WS_TABSTOP);
        SetWindowLongPtrW(handle_, GWL_EXSTYLE, create.dwExStyle | WS_EX_CONTROLPARENT);
        const DWORD align = (create.style & NES_RIGHT) != 0 ? ES_RIGHT : ES_LEFT;
        edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | align, 0, 0,
                                0, 0, handle_, nullptr, GetModuleHandleW(nullptr), nullptr);
        upDown_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, handle_,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        if (edit_ == nullptr || upDown_ == nullptr) {
            return -1;
        }
        SendMessageW(upDown_, UDM_SETRANGE32, 0, 100); // up counts up
        if ((create.style & WS_DISABLED) != 0) {
            EnableWindow(edit_, FALSE);
            EnableWindow(upDown_, FALSE);
        }
        SetWindowSubclass(edit_, &EditProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
        if (const HWND parent = GetParent(handle_); parent != nullptr) {
            SendMessageW(edit_, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
        }
        if (create.lpszName != nullptr && !IS_INTRESOURCE(create.lpszName)) {
            value_ = ParseNumeral(create.lpszName, bounds_).value_or(0);
        }
        Show();
        Layout();
        return 0;
    }

    void Layout() {
        RECT client{};
        GetClientRect(handle_, &client);
        const int buttons = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.right);
        MoveWindow(edit_, 0, 0, client.right - buttons, client.bottom, TRUE);
        MoveWindow(upDown_, client.right - buttons, 0, buttons, client.bottom, TRUE);
    }

    std::wstring Shown() const {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
        return text;
    }

    void Show() {
        SetWindowTextW(edit_, std::to_wstring(value_).c_str());
        SendMessageW(edit_, EM_SETMODIFY, FALSE, 0);
    }

    void Commit(int value) {
        value_ = bounds_.Clamp(value);
        Show();
        NotifyParent(handle_, NEN_DECIDED);
    }

    // Typed text that differs from the value is committed; text with no digits brings the value
    // back.
    void CommitTyped() {
        const std::wstring text = Shown();
        if (text == std::to_wstring(value_)) {
            return;
        }
        Commit(ParseNumeral(text, bounds_).value_or(value_));
    }

    void StepBy(int direction) {
        CommitTyped();
        Commit(StepNumeral(value_, direction, step_, bounds_));
    }

    void SetBounds(const NumeralBounds& bounds) {
        CommitTyped();
        bounds_ = bounds;
        if (const int clamped = bounds_.Clamp(value_); clamped != value_) {
            value_ = clamped;
            Show();
        }
    }

    // Where typing would put the character: at the start, and whether a minus stays in the text.
    std::pair<bool, bool> TypingPlace() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const std::wstring text = Shown();
        const bool minusStays = !text.empty() && text.front() == L'-' && start > 0;
        return {start == 0, minusStays};
    }

    LRESULT EditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_CHAR: {
            const auto c = static_cast<wchar_t>(wParam);
            if (c < L' ') {
                break; // editing keys and shortcuts (Ctrl+V comes back as WM_PASTE)
            }
            const auto [atStart, minusStays] = TypingPlace();
            if (!AcceptsTypedCharacter(c, atStart, minusStays)) {
                MessageBeep(MB_OK);
                return 0;
            }
            if (const wchar_t narrow = NarrowDigit(c); narrow != c) {
                const wchar_t text[2] = {narrow, L'\0'};
                SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
                return 0;
            }
            break;
        }
        case WM_PASTE: Paste(); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                StepBy(wParam == VK_UP ? 1 : -1);
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
            CommitTyped();
            return result;
        }
        default: break;
        }
        return DefSubclassProc(edit_, message, wParam, lParam);
    }

    void Paste() {
        std::wstring pasted;
        if (OpenClipboard(edit_)) {
            if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
                if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                    pasted.assign(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
        }
        const auto [atStart, minusStays] = TypingPlace();
        const auto cleaned = CleanPastedNumeral(pasted, atStart, minusStays);
        if (!cleaned) {
            MessageBeep(MB_OK);
            return;
        }
        SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(cleaned->c_str()));
    }

    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(edit, &EditProcedure, 0);
            return DefSubclassProc(edit, message, wParam, lParam);
        }
        try {
            return reinterpret_cast<NumeralEditState*>(self)->EditMessage(message, wParam, lParam);
        } catch (...) {
            return DefSubclassProc(edit, message, wParam, lParam);
        }
    }

    HWND handle_;
    HWND edit_ = nullptr;
    HWND upDown_ = nullptr;
    NumeralBounds bounds_;
    int step_ = 1;
    int value_ = 0;
};

} // namespace

void RegisterNumeralEditClass() { SelfOwnedControl<NumeralEditState>::Register(kNumeralEditClass); }

void TUDNumeralEdit::Create(const NumeralEditArgs& args) {
    RegisterEditorControls();
    const HWND handle = CreateWindowExW(
        0, kNumeralEditClass, L"", WS_CHILD | WS_VISIBLE | (args.rightAligned ? NES_RIGHT : 0),
        args.x, args.y, args.width, args.height, args.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for a numeric edit");
    }
    Attach(handle);
    if (args.font != nullptr) {
        SetFont(args.font);
    }
    SetHint(args.hint);
    // Bounds first, so that the value is judged by them.
    SendMessageW(handle, NEM_SETMINIMUM, static_cast<WPARAM>(args.minimum), 0);
    SendMessageW(handle, NEM_SETMAXIMUM, static_cast<WPARAM>(args.maximum), 0);
    SendMessageW(handle, NEM_SETSTEP, static_cast<WPARAM>(args.step), 0);
    SetValue(args.value);
}

namespace {
int Get(HWND handle, UINT message) { return static_cast<int>(SendMessageW(handle, message, 0, 0)); }
void Set(HWND handle, UINT message, int value) {
    SendMessageW(handle, message, static_cast<WPARAM>(value), 0);
}
} // namespace

int TUDNumeralEdit::Value() const { return Get(Handle(), NEM_GETVALUE); }
void TUDNumeralEdit::SetValue(int value) { Set(Handle(), NEM_SETVALUE, value); }
int TUDNumeralEdit::Minimum() const { return Get(Handle(), NEM_GETMINIMUM); }
void TUDNumeralEdit::SetMinimum(int value) { Set(Handle(), NEM_SETMINIMUM, value); }
int TUDNumeralEdit::Maximum() const { return Get(Handle(), NEM_GETMAXIMUM); }
void TUDNumeralEdit::SetMaximum(int value) { Set(Handle(), NEM_SETMAXIMUM, value); }
int TUDNumeralEdit::Step() const { return Get(Handle(), NEM_GETSTEP); }
void TUDNumeralEdit::SetStep(int step) { Set(Handle(), NEM_SETSTEP, step); }
HWND TUDNumeralEdit::EditHandle() const {
    return reinterpret_cast<HWND>(SendMessageW(Handle(), NEM_GETEDIT, 0, 0));
}
HWND TUDNumeralEdit::UpDownHandle() const {
    return reinterpret_cast<HWND>(SendMessageW(Handle(), NEM_GETUPDOWN, 0, 0));
}

} // namespace miravo
