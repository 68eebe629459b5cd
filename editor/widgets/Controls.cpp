#include "editor/widgets/Controls.h"

#include <commctrl.h>
#include <stdexcept>

namespace miravo {

std::wstring Control::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(std::wstring_view text) {
    SetWindowTextW(handle_, std::wstring(text).c_str());
}

void Control::SetBounds(int x, int y, int width, int height) {
    SetWindowPos(handle_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::Bounds() const {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Control::SetHint(std::wstring hint) {
    hint_ = std::move(hint);
    AttachHintSource(handle_, this);
}

void Control::CreateControl(const wchar_t* className, const ControlArgs& args) {
    handle_ = CreateWindowExW(
        args.exStyle, className, args.text.c_str(), WS_CHILD | WS_VISIBLE | args.style, args.x,
        args.y, args.width, args.height, args.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr), nullptr);
    if (handle_ == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for a control");
    }
    if (args.font != nullptr) {
        SetFont(args.font);
    }
    SetHint(args.hint);
}

void Button::Create(ControlArgs args) {
    args.style |= WS_TABSTOP;
    CreateControl(L"BUTTON", args);
}

void Label::Create(ControlArgs args) { CreateControl(L"STATIC", args); }

void EditBox::Create(ControlArgs args) {
    args.style |= WS_TABSTOP;
    args.exStyle |= WS_EX_CLIENTEDGE;
    CreateControl(L"EDIT", args);
}

void ListBox::Create(ControlArgs args) {
    args.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    args.exStyle |= WS_EX_CLIENTEDGE;
    CreateControl(L"LISTBOX", args);
}

void ListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

void ListBox::Add(std::wstring_view text) {
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

int ListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

std::wstring ListBox::ItemText(int index) const {
    const auto length = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TabControl::Create(ControlArgs args) {
    args.style |= WS_CLIPSIBLINGS | WS_TABSTOP;
    CreateControl(WC_TABCONTROLW, args);
}

void TabControl::AddTab(std::wstring_view caption) {
    std::wstring text(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, Count(), reinterpret_cast<LPARAM>(&item));
}

int TabControl::Selected() const {
    return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TabControl::Select(int index) { SendMessageW(Handle(), TCM_SETCURSEL, index, 0); }

int TabControl::Count() const {
    return static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
}

std::wstring TabControl::TabText(int index) const {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(Handle(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

RECT TabControl::PageArea() const {
    RECT area = Bounds();
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

void StatusBar::Create(ControlArgs args) { CreateControl(STATUSCLASSNAMEW, args); }

void StatusBar::SetPanels(const std::vector<int>& rightEdges) {
    SendMessageW(Handle(), SB_SETPARTS, rightEdges.size(),
                 reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::SetPanelText(int panel, std::wstring_view text) {
    SendMessageW(Handle(), SB_SETTEXTW, panel,
                 reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

std::wstring StatusBar::PanelText(int panel) const {
    const auto length = LOWORD(SendMessageW(Handle(), SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

int StatusBar::Height() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    return rect.bottom - rect.top;
}

void ToolBar::Create(ControlArgs args, HIMAGELIST images) {
    args.style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                  CCS_NORESIZE | CCS_NOPARENTALIGN;
    CreateControl(TOOLBARCLASSNAMEW, args);
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void ToolBar::AddButton(const ToolButtonArgs& button) {
    buttons_.push_back(button);
    TBBUTTON entry{};
    entry.iBitmap = button.image;
    entry.idCommand = button.command;
    entry.fsState = TBSTATE_ENABLED;
    entry.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    entry.iString = reinterpret_cast<INT_PTR>(buttons_.back().caption.c_str());
    SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&entry));
    SendMessageW(Handle(), TB_AUTOSIZE, 0, 0);
}

int ToolBar::ButtonCount() const {
    return static_cast<int>(SendMessageW(Handle(), TB_BUTTONCOUNT, 0, 0));
}

SIZE ToolBar::IdealSize() const {
    RECT last{};
    const int count = ButtonCount();
    if (count > 0) {
        SendMessageW(Handle(), TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    }
    return {last.right, last.bottom};
}

int ToolBar::CommandAt(POINT client) const {
    const auto index =
        static_cast<int>(SendMessageW(Handle(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    if (index < 0 || index >= static_cast<int>(buttons_.size())) {
        return 0;
    }
    return buttons_[static_cast<std::size_t>(index)].command;
}

std::wstring ToolBar::HintAt(POINT client) const {
    const int command = CommandAt(client);
    for (const ToolButtonArgs& button : buttons_) {
        if (button.command == command) {
            return button.hint;
        }
    }
    return Hint();
}

POINT ToolBar::ButtonCentre(int command) const {
    RECT rect{};
    SendMessageW(Handle(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&rect));
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(Handle(), &centre);
    return centre;
}

} // namespace miravo
