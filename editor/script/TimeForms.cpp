#include "editor/script/TimeForms.h"

#include "editor/script/CommandDialogResources.h"
#include "novel/CommandStrings.h"

namespace miravo {

TComTimeForm::TComTimeForm(int templateId, IUserInteraction& ui, ICommandOut& out, int initial)
    : Dialog(templateId, ui), out_(out), milliseconds_(initial) {}

void TComTimeForm::OnInit() {
    const HWND d = Handle();
    SetWindowTextW(d, Caption().c_str());
    AddDialogControl(d, L"STATIC", FieldLabel(), -1, 0, 12, 14, 150, 16);
    field_.Create({.parent = d,
                   .id = IDC_COM_NUMBER,
                   .x = 12,
                   .y = 34,
                   .width = 110,
                   .height = 22,
                   .minimum = 0,
                   .step = 500,
                   .value = milliseconds_,
                   .font = DialogFont(d)});
    AddDialogControl(d, L"STATIC", L"ミリ秒", -1, 0, 128, 38, 50, 16);
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 34, 72, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 120, 72, 80, 26);
    SetClientSize(d, 212, 110);
}

bool TComTimeForm::OnOK() {
    milliseconds_ = field_.Value();
    out_.CommandOut(Line(milliseconds_));
    return true;
}

TComWaitForm::TComWaitForm(IUserInteraction& ui, ICommandOut& out)
    : TComTimeForm(IDD_COM_WAIT, ui, out, 1000) {}

std::string TComWaitForm::Line(int milliseconds) const { return WaitCommand(milliseconds); }

TComMidiFadeoutForm::TComMidiFadeoutForm(IUserInteraction& ui, ICommandOut& out)
    : TComTimeForm(IDD_COM_FADEOUT, ui, out, 2000) {}

std::string TComMidiFadeoutForm::Line(int milliseconds) const {
    return midi_ ? MidiFadeoutCommand(milliseconds) : BGMFadeoutCommand(milliseconds);
}

} // namespace miravo
