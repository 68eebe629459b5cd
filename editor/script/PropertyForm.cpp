#include "editor/script/PropertyForm.h"

#include "editor/script/DialogControls.h"
#include "editor/script/ListIcons.h"
#include "editor/script/ScriptResource.h"
#include "editor/shell/EditorSession.h"
#include "editor/widgets/WideText.h"

#include <commctrl.h>

#include <string>

namespace miravo {

namespace {
constexpr int kCounterRowHeight = 16;
constexpr int kTextFontHeight = 16;
} // namespace

TPropertyForm::TPropertyForm(EditorSession& session)
    : Dialog(IDD_LINK_PROPERTY, session.Ui()), session_(session) {
    // The chart's mark; it outlives novels, so it may name an item this novel lacks.
    markName = [&session]() -> std::optional<std::string> {
        const std::string& mark = session.Chart().MarkName();
        return mark.empty() ? std::nullopt : std::optional<std::string>(mark);
    };
}

void TPropertyForm::OnInit() {
    threshold_.Attach(Item(IDC_COUNTER_VALUE));
    if (!icons_) {
        icons_ = CreateListIcons();
    }
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    LOGFONTW font{};
    GetObjectW(dialogFont, sizeof font, &font);
    font.lfHeight = -kTextFontHeight;
    largeFont_.Reset(CreateFontIndirectW(&font));
    GetObjectW(dialogFont, sizeof font, &font);
    font.lfWeight = FW_BOLD;
    boldFont_.Reset(CreateFontIndirectW(&font));
    SendMessageW(Item(IDC_LINK_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(largeFont_.Get()), 0);
    SendMessageW(Item(IDC_LINK_TO), WM_SETFONT, reinterpret_cast<WPARAM>(largeFont_.Get()), 0);
    SendMessageW(Item(IDC_CONDITION_LABEL), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()),
                 0);
    SendMessageW(Item(IDC_COUNTER_COMBO), CB_SETMINVISIBLE, 10, 0);

    const EditorState& state = session_.State();
    const CNovelModel& model = session_.Model();
    if (state.currentItem < 0 || state.currentItem >= model.Items.Count()) {
        return;
    }
    const CNovelLink& link =
        model.Items[state.currentItem].Links[static_cast<std::size_t>(state.currentLinkSlot)];
    values_ = LinkDialogValuesOf(model, state.currentItem, link, values_);

    const HWND counters = Item(IDC_COUNTER_COMBO);
    SendMessageW(counters, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : values_.counters) {
        SendMessageW(counters, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WidenShiftJis(name).c_str()));
    }
    SetItemText(IDC_LINK_TEXT, WidenShiftJis(values_.text));
    const HWND targets = Item(IDC_LINK_TO);
    SendMessageW(targets, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : values_.targets) {
        SendMessageW(targets, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WidenShiftJis(name).c_str()));
    }
    SendMessageW(targets, CB_SETCURSEL, static_cast<WPARAM>(values_.target), 0);
    CheckDlgButton(Handle(), IDC_COUNTER_CHECK, values_.useCounter ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(counters, CB_SETCURSEL,
                 static_cast<WPARAM>(values_.useCounter ? values_.counter : -1), 0);
    ShowRange();
    CounterCheckBoxClick();
    CounterComboChange();
}

// The field takes the range exactly as the values hold it: they apply the bounds' rules.
void TPropertyForm::ShowRange() {
    SetNumeralBounds(threshold_, values_.range.min, values_.range.max);
    threshold_.SetValue(values_.threshold);
}

void TPropertyForm::CounterCheckBoxClick() {
    const bool enabled = IsDlgButtonChecked(Handle(), IDC_COUNTER_CHECK) == BST_CHECKED;
    EnableWindow(Item(IDC_COUNTER_COMBO), enabled);
    threshold_.Enable(enabled);
    InvalidateRect(Item(IDC_COUNTER_COMBO), nullptr, TRUE);
}

void TPropertyForm::CounterComboChange() {
    const auto index = SendMessageW(Item(IDC_COUNTER_COMBO), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= values_.counters.size()) {
        return;
    }
    values_.threshold = threshold_.Value();
    ApplyCounterRange(session_.Model().Counters, values_.counters[static_cast<std::size_t>(index)],
                      values_);
    ShowRange();
}

void TPropertyForm::SetStartToMarkButtonClick() {
    if (!markName) {
        return;
    }
    if (const std::optional<std::string> mark = markName()) {
        for (std::size_t i = 0; i < values_.targets.size(); ++i) {
            if (values_.targets[i] == *mark) {
                SendMessageW(Item(IDC_LINK_TO), CB_SETCURSEL, i, 0);
                return;
            }
        }
    }
}

bool TPropertyForm::OnCommand(int id, int notification, HWND) {
    if (id == IDC_COUNTER_CHECK && notification == BN_CLICKED) {
        CounterCheckBoxClick();
        return true;
    }
    if (id == IDC_COUNTER_COMBO && notification == CBN_SELCHANGE) {
        CounterComboChange();
        return true;
    }
    if (id == IDC_SET_TO_MARK && notification == BN_CLICKED) {
        SetStartToMarkButtonClick();
        return true;
    }
    return false;
}

bool TPropertyForm::OnOK() {
    values_.text = NarrowToShiftJis(ItemText(IDC_LINK_TEXT));
    values_.target = static_cast<int>(SendMessageW(Item(IDC_LINK_TO), CB_GETCURSEL, 0, 0));
    values_.useCounter = IsDlgButtonChecked(Handle(), IDC_COUNTER_CHECK) == BST_CHECKED;
    values_.counter = static_cast<int>(SendMessageW(Item(IDC_COUNTER_COMBO), CB_GETCURSEL, 0, 0));
    values_.threshold = threshold_.Value();
    edited_ = LinkFromDialog(values_, true);
    return true;
}

void TPropertyForm::DrawCounterRow(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
    const bool selected = (item.itemState & ODS_SELECTED) != 0 && enabled;
    FillRect(dc, &rect,
             GetSysColorBrush(selected  ? COLOR_HIGHLIGHT
                              : enabled ? COLOR_WINDOW
                                        : COLOR_BTNFACE));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= values_.counters.size()) {
        return;
    }
    DrawListIcon(dc, icons_.Get(), kCounterListIcon, rect.left, rect.top);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT
                                          : (enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT)));
    const std::wstring number = std::to_wstring(item.itemID + 1);
    const HGDIOBJ oldFont = SelectObject(dc, boldFont_.Get());
    TextOutW(dc, rect.left + 18, rect.top + 2, number.c_str(), static_cast<int>(number.size()));
    SIZE numberSize{};
    GetTextExtentPoint32W(dc, number.c_str(), static_cast<int>(number.size()), &numberSize);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    const std::wstring name = WidenShiftJis(values_.counters[item.itemID]);
    TextOutW(dc, rect.left + 18 + numberSize.cx + 4, rect.top + 2, name.c_str(),
             static_cast<int>(name.size()));
    SelectObject(dc, oldFont);
}

INT_PTR TPropertyForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MEASUREITEM && wParam == IDC_COUNTER_COMBO) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kCounterRowHeight;
        return TRUE;
    }
    if (message == WM_DRAWITEM && wParam == IDC_COUNTER_COMBO) {
        DrawCounterRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return Dialog::HandleMessage(message, wParam, lParam);
}

} // namespace miravo
