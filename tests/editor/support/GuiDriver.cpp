#include "tests/editor/support/GuiDriver.h"

namespace miravo::test {

namespace {

void PlainRound() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Notify(HWND control, int code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

} // namespace

void Pump(int milliseconds, const MessageRound& process) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        process ? process() : PlainRound();
        Sleep(10);
    } while (GetTickCount() < end);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs, const MessageRound& process) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!done()) {
        if (GetTickCount() >= end) {
            return false;
        }
        process ? process() : PlainRound();
        Sleep(10);
    }
    return true;
}

void Click(HWND button) { Notify(button, BN_CLICKED); }

void Type(HWND edit, std::wstring_view text) {
    SetWindowTextW(edit, std::wstring(text).c_str());
    SendMessageW(edit, EM_SETMODIFY, TRUE, 0);
    Notify(edit, EN_CHANGE);
}

void PressKey(WORD virtualKey) {
    // Delete, Insert, the arrows and their like sit in the keyboard's extended block.
    const bool extended = (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) ||
                          virtualKey == VK_INSERT || virtualKey == VK_DELETE;
    INPUT keys[2]{};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = virtualKey;
        key.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        key.ki.dwFlags = extended ? KEYEVENTF_EXTENDEDKEY : 0;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

DialogDriver::DialogDriver(Dialog& dialog, HWND owner) : dialog_(dialog) {
    UpdateWindow(dialog_.CreateModeless(owner));
}

DialogDriver::~DialogDriver() {
    if (dialog_.Handle() != nullptr) {
        DestroyWindow(dialog_.Handle());
    }
}

void DialogDriver::SetText(int id, std::wstring_view text) {
    SetDlgItemTextW(Handle(), id, std::wstring(text).c_str());
}

void DialogDriver::SetCheck(int id, bool checked) {
    CheckDlgButton(Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogDriver::Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

std::optional<INT_PTR> DialogDriver::Press(int id) {
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id)));
    return dialog_.Result();
}

void EditorDriver::Start(EditorOptions options) {
    options.showSplash = false;
    if (!options.themeLevel) {
        options.themeLevel = 0;
    }
    editor_ = std::make_unique<EditorApplication>(ui, options);
    editor_->ShowMainWindow();
    Pump();
}

void EditorDriver::Create(const EditorOptions& options) {
    editor_ = std::make_unique<EditorApplication>(ui, options);
}

void EditorDriver::Stop() {
    editor_.reset();
    // The destroyed main window posted WM_QUIT; the next start begins with an empty queue.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void EditorDriver::Pump(int milliseconds) {
    test::Pump(milliseconds, [this] { editor_->App().ProcessMessages(); });
}

bool EditorDriver::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    return test::PumpUntil(done, timeoutMs, [this] { editor_->App().ProcessMessages(); });
}

void EditorDriver::Command(int id) {
    SendMessageW(Main(), WM_COMMAND, id, 0);
    Pump(50);
}

} // namespace miravo::test
