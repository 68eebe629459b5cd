#include "editor/script/DisplayForms.h"

#include "editor/script/CommandDialogResources.h"
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
    size_.Create({.parent = d,
                  .id = IDC_COM_NUMBER,
                  .x = 170,
                  .y = 43,
                  .width = 70,
                  .height = 22,
                  .minimum = 12,
                  .maximum = 200,
                  .value = values_.size,
                  .font = DialogFont(d)});
    AddDialogControl(d, L"STATIC", L"ドット(&D)", -1, 0, 246, 47, 60, 16);

    AddDialogControl(d, L"STATIC", L"色:", -1, 0, 12, 78, 50, 16);
    AddDialogControl(d, L"BUTTON", L"変更する(&C)", IDC_FONT_COLOR, BS_AUTOCHECKBOX | WS_TABSTOP,
                     64, 76, 100, 20);
    swatch_.Create(
        {.parent = d, .id = IDC_FONT_SWATCH, .x = 170, .y = 74, .width = 50, .height = 24});
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
    swatch_.Enable(values_.changeColor);
    EnableWindow(Item(IDC_FONT_COLOR_CHANGE), values_.changeColor);
    // The colour while its box is ticked, the button face otherwise.
    swatch_.SetColor(values_.changeColor ? values_.color
                                         : std::uint32_t(GetSysColor(COLOR_BTNFACE)));
}

bool TComFontForm::OnOK() {
    values_.changeFace = IsChecked(Handle(), IDC_FONT_FACE);
    values_.changeSize = IsChecked(Handle(), IDC_FONT_SIZE);
    values_.changeColor = IsChecked(Handle(), IDC_FONT_COLOR);
    values_.face = IsChecked(Handle(), IDC_FONT_MINCHO) ? FontFace::Mincho : FontFace::Gothic;
    values_.size = size_.Value();
    for (const std::string& line : FontCommandLines(values_))
        out_.CommandOut(line);
    return true;
}

bool TComFontForm::OnCommand(int id, int notification, HWND) {
    if (id == IDC_FONT_SWATCH && notification == CBN_COLORCHANGED) {
        values_.color = swatch_.Color();
        return true;
    }
    if (notification != BN_CLICKED)
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
    case IDC_FONT_COLOR_CHANGE: swatch_.AskColor(Ui()); return true;
    default: return false;
    }
    ApplyEnableStates();
    return true;
}

} // namespace miravo
