#include "editor/script/CounterForms.h"

#include "editor/script/CharacterForms.h"
#include "editor/script/CommandDialogResources.h"
#include "editor/script/ListIcons.h"
#include "editor/widgets/WideText.h"
#include "novel/CommandStrings.h"

#include <commctrl.h>

namespace miravo {

TComCtSetForm::TComCtSetForm(IUserInteraction& ui, ICommandOut& out)
    : TComCtSetForm(ui, out, Kind::Set) {}

TComCtSetForm::TComCtSetForm(IUserInteraction& ui, ICommandOut& out, Kind kind)
    : Dialog(IDD_COM_COUNTER, ui), out_(out), kind_(kind) {}

template <class Set> void TComCtSetForm::SetFields(Set set) {
    const bool outer = !settingFields_;
    settingFields_ = true;
    set();
    if (outer) {
        settingFields_ = false;
    }
}

void TComCtSetForm::OnInit() {
    const HWND d = Handle();
    if (!icons_) {
        icons_ = CreateListIcons();
    }
    static constexpr const wchar_t* kCaptions[] = {L"カウンタ : セット", L"カウンタ : 増減する",
                                                   L"カウンタ : ランダム値をセット",
                                                   L"カウンタ : ランダム値を増減"};
    SetWindowTextW(d, kCaptions[int(kind_)]);
    AddDialogControl(d, L"STATIC", L"カウンタ(&C):", -1, 0, 12, 12, 200, 16);
    const HWND list = AddDialogControl(d, L"COMBOBOX", L"", IDC_COM_COUNTERS,
                                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                           CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                       12, 30, 220, 10 * 18 + 24);
    if (counters_) {
        for (const CNovelCounter& counter : *counters_)
            SendMessageW(list, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(WidenShiftJis(counter.Name).c_str()));
    }
    int y = 62;
    bounds_ = {};
    const auto field = [&](TUDNumeralEdit& edit, int id, int x, int width, int value) {
        edit.Create({.parent = d,
                     .id = id,
                     .x = x,
                     .y = y,
                     .width = width,
                     .height = 22,
                     .minimum = bounds_.low,
                     .maximum = bounds_.high,
                     .value = value,
                     .font = DialogFont(d)});
    };
    settingFields_ = true; // the fields' first values are no commits
    if (!Ranged()) {
        AddDialogControl(d, L"STATIC", kind_ == Kind::Set ? L"を" : L"に", -1, 0, 238, 34, 20, 16);
        field(first_, IDC_COM_NUMBER, 12, 110, value_);
        AddDialogControl(d, L"STATIC", kind_ == Kind::Set ? L"に設定(&S)" : L"を足す(&S)", -1, 0,
                         128, y + 4, 90, 16);
    } else {
        AddDialogControl(d, L"STATIC",
                         kind_ == Kind::RndSet ? L"- 以下の範囲でランダムにセット -"
                                               : L"- 以下の範囲でランダムに足す -",
                         -1, 0, 12, y, 240, 16);
        y += 22;
        AddDialogControl(d, L"STATIC", L"範囲(&R):", -1, 0, 12, y + 4, 56, 16);
        field(first_, IDC_COM_NUMBER, 70, 80, range_.low);
        AddDialogControl(d, L"STATIC", L"から(&T)", -1, 0, 154, y + 4, 44, 16);
        field(second_, IDC_COM_NUMBER2, 200, 80, range_.high);
    }
    settingFields_ = false;
    y += 30;
    if (kind_ == Kind::Plus || kind_ == Kind::RndPlus) {
        const HWND note = AddDialogControl(d, L"STATIC", L"※ マイナスの値を足すことも出来ます。",
                                           -1, 0, 12, y, 260, 16);
        SetWindowLongPtrW(note, GWLP_USERDATA, 1); // drawn in blue
        y += 22;
    }
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 112, y + 6, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 198, y + 6, 80, 26);
    SetClientSize(d, 290, y + 42);
    // Nothing chosen after each opening: OK and the values wait for a counter.
    EnableWindow(Item(IDOK), FALSE);
    first_.Enable(false);
    if (Ranged())
        second_.Enable(false);
}

void TComCtSetForm::CounterChosen() {
    const LRESULT row = SendMessageW(Item(IDC_COM_COUNTERS), CB_GETCURSEL, 0, 0);
    if (row < 0 || !counters_ || std::size_t(row) >= counters_->size())
        return;
    const CNovelCounter& counter = (*counters_)[std::size_t(row)];
    EnableWindow(Item(IDOK), TRUE);
    first_.Enable(true);
    if (Ranged())
        second_.Enable(true);
    if (!Bounded())
        return;
    bounds_ = {counter.MinValue, counter.MaxValue};
    SetFields([&] {
        SetNumeralBounds(first_, bounds_.low, bounds_.high);
        if (kind_ == Kind::Set) {
            first_.SetValue(counter.InitialValue);
        } else {
            SetNumeralBounds(second_, bounds_.low, bounds_.high);
            range_ = {bounds_.Clamp(counter.MinValue), bounds_.Clamp(counter.MinValue)};
            first_.SetValue(range_.low);
            second_.SetValue(range_.high);
        }
    });
}

void TComCtSetForm::CommitLow() {
    range_.CommitLow(first_.Value(), bounds_);
    SetFields([&] { second_.SetValue(range_.high); });
}

void TComCtSetForm::CommitHigh() {
    range_.CommitHigh(second_.Value(), bounds_);
    SetFields([&] { first_.SetValue(range_.low); });
}

bool TComCtSetForm::OnOK() {
    const LRESULT row = SendMessageW(Item(IDC_COM_COUNTERS), CB_GETCURSEL, 0, 0);
    if (row < 0 || !counters_ || std::size_t(row) >= counters_->size())
        return false;
    const std::string& name = (*counters_)[std::size_t(row)].Name;
    if (Ranged()) {
        CommitLow();
        CommitHigh();
    } else {
        value_ = first_.Value();
    }
    switch (kind_) {
    case Kind::Set: out_.CommandOut(CounterSetCommand(name, value_)); break;
    case Kind::Plus: out_.CommandOut(CounterPlusCommand(name, value_)); break;
    case Kind::RndSet: out_.CommandOut(CounterRndSetCommand(name, range_.low, range_.high)); break;
    case Kind::RndPlus:
        out_.CommandOut(CounterRndPlusCommand(name, range_.low, range_.high));
        break;
    }
    return true;
}

bool TComCtSetForm::OnCommand(int id, int notification, HWND) {
    if (id == IDC_COM_COUNTERS && notification == CBN_SELCHANGE) {
        CounterChosen();
        return true;
    }
    if (notification == NEN_DECIDED && (id == IDC_COM_NUMBER || id == IDC_COM_NUMBER2)) {
        if (!settingFields_ && Ranged())
            id == IDC_COM_NUMBER ? CommitLow() : CommitHigh();
        return true;
    }
    return false;
}

INT_PTR TComCtSetForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18; return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_COM_COUNTERS)
            return FALSE;
        DrawNumberedRow(item, DialogFont(Handle()), icons_.Get(), kCounterListIcon);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWLP_USERDATA) == 1) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return FALSE;
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

} // namespace miravo
