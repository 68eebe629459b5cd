#include "editor/script/DisplayForms.h"

#include "editor/script/CommandDialogResources.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/WideText.h"
#include "novel/CommandStrings.h"

namespace miravo {

TComCharDeleteForm::TComCharDeleteForm(IUserInteraction& ui, ICommandOut& out)
    : Dialog(IDD_COM_CHAR_DELETE, ui), out_(out) {}

void TComCharDeleteForm::OnInit() {
    const HWND d = Handle();
    AddDialogControl(d, L"STATIC", L"キャラクター名(&N):", -1, 0, 12, 14, 200, 16);
    AddDialogControl(d, L"EDIT", name_, IDC_COM_NAME, WS_TABSTOP | ES_AUTOHSCROLL, 12, 34, 236, 22,
                     WS_EX_CLIENTEDGE);
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 82, 70, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 168, 70, 80, 26);
    SetClientSize(d, 260, 108);
}

bool TComCharDeleteForm::OnOK() {
    name_ = ItemText(IDC_COM_NAME);
    out_.CommandOut(CharDeleteCommand(NarrowToShiftJis(name_))); // an empty name is accepted
    return true;
}

TComFontForm::TComFontForm(IUserInteraction& ui, ICommandOut& out)
    : Dialog(IDD_COM_FONT, ui), out_(out) {}

void TComFontForm::OnInit() {
    const HWND d = Handle();
    values_.changeFace = values_.changeSize = values_.changeColor = false;
    AddDialogControl(d, L"STATIC", L"種類:", -1, 0, 12, 14, 50, 16);
    AddDialogControl(d, L"BUTTON", L"変更する(&F)", IDC_FONT_FACE, BS_AUTOCHECKBOX | WS_TABSTOP, 64,
                     12, 100, 20);
    AddDialogControl(d, L"BUTTON", L"ゴシック(&G)", IDC_FONT_GOTHIC,
                     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 170, 12, 90, 20);
    AddDialogControl(d, L"BUTTON", L"明朝(&M)", IDC_FONT_MINCHO, BS_AUTORADIOBUTTON, 264, 12, 70,
                     20);
    SetChecked(d, values_.face == FontFace::Gothic ? IDC_FONT_GOTHIC : IDC_FONT_MINCHO, true);

    AddDialogControl(d, L"STATIC", L"サイズ:", -1, WS_GROUP, 12, 46, 50, 16);
    AddDialogControl(d, L"BUTTON", L"変更する(&S)", IDC_FONT_SIZE, BS_AUTOCHECKBOX | WS_TABSTOP, 64,
                     44, 100, 20);
    size_.Create(d, IDC_COM_NUMBER, IDC_COM_NUMBER_UPDOWN, 170, 43, 70, 22);
    size_.SetBounds(12, 200, 1);
    size_.SetValue(values_.size);
    AddDialogControl(d, L"STATIC", L"ドット(&D)", -1, 0, 246, 47, 60, 16);

    AddDialogControl(d, L"STATIC", L"色:", -1, 0, 12, 78, 50, 16);
    AddDialogControl(d, L"BUTTON", L"変更する(&C)", IDC_FONT_COLOR, BS_AUTOCHECKBOX | WS_TABSTOP,
                     64, 76, 100, 20);
    AddDialogControl(d, L"BUTTON", L"", IDC_FONT_SWATCH, BS_OWNERDRAW | WS_TABSTOP, 170, 74, 50,
                     24);
    AddDialogControl(d, L"BUTTON", L"変更", IDC_FONT_COLOR_CHANGE, WS_TABSTOP, 226, 74, 60, 24);

    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 164, 116, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 250, 116, 80, 26);
    SetClientSize(d, 342, 154);
    ApplyEnableStates();
}

void TComFontForm::ApplyEnableStates() {
    EnableWindow(Item(IDC_FONT_GOTHIC), values_.changeFace);
    EnableWindow(Item(IDC_FONT_MINCHO), values_.changeFace);
    size_.Enable(values_.changeSize);
    EnableWindow(Item(IDC_FONT_SWATCH), values_.changeColor);
    EnableWindow(Item(IDC_FONT_COLOR_CHANGE), values_.changeColor);
    InvalidateRect(Item(IDC_FONT_SWATCH), nullptr, TRUE);
}

void TComFontForm::ChooseColor() {
    if (const std::optional<std::uint32_t> color = Ui().AskColor(values_.color)) {
        values_.color = *color;
        InvalidateRect(Item(IDC_FONT_SWATCH), nullptr, TRUE);
    }
}

bool TComFontForm::OnOK() {
    values_.changeFace = IsChecked(Handle(), IDC_FONT_FACE);
    values_.changeSize = IsChecked(Handle(), IDC_FONT_SIZE);
    values_.changeColor = IsChecked(Handle(), IDC_FONT_COLOR);
    values_.face = IsChecked(Handle(), IDC_FONT_MINCHO) ? FontFace::Mincho : FontFace::Gothic;
    size_.Commit();
    values_.size = size_.Value();
    for (const std::string& line : FontCommandLines(values_))
        out_.CommandOut(line);
    return true;
}

bool TComFontForm::OnCommand(int id, int notification, HWND) {
    if (notification != BN_CLICKED && !(id == IDC_COM_NUMBER && notification == EN_KILLFOCUS))
        return false;
    switch (id) {
    case IDC_FONT_FACE: values_.changeFace = IsChecked(Handle(), id); break;
    case IDC_FONT_SIZE: values_.changeSize = IsChecked(Handle(), id); break;
    case IDC_FONT_COLOR:
        values_.changeColor = IsChecked(Handle(), id);
        if (values_.changeColor)
            values_.color = 0xFFFFFF; // ticking starts from white
        break;
    case IDC_FONT_SWATCH:
    case IDC_FONT_COLOR_CHANGE: ChooseColor(); return true;
    case IDC_COM_NUMBER: size_.Commit(); return true;
    default: return false;
    }
    ApplyEnableStates();
    return true;
}

INT_PTR TComFontForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_FONT_SWATCH)
            return FALSE;
        // The colour while its box is ticked, the button face otherwise.
        const HBRUSH brush = values_.changeColor ? CreateSolidBrush(COLORREF(values_.color))
                                                 : GetSysColorBrush(COLOR_BTNFACE);
        FillRect(item.hDC, &item.rcItem, brush);
        if (values_.changeColor)
            DeleteObject(brush);
        RECT edge = item.rcItem;
        DrawEdge(item.hDC, &edge, EDGE_SUNKEN, BF_RECT);
        if ((item.itemState & ODS_FOCUS) != 0) {
            InflateRect(&edge, -3, -3);
            DrawFocusRect(item.hDC, &edge);
        }
        return TRUE;
    }
    return Dialog::HandleMessage(message, wParam, lParam);
}

} // namespace miravo
