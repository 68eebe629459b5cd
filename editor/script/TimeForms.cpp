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
    field_.Create(d, IDC_COM_NUMBER, IDC_COM_NUMBER_UPDOWN, 12, 34, 110, 22);
    field_.SetBounds(0, 2147483647, 500);
    field_.SetValue(milliseconds_);
    AddDialogControl(d, L"STATIC", L"ミリ秒", -1, 0, 128, 38, 50, 16);
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 34, 72, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 120, 72, 80, 26);
    SetClientSize(d, 212, 110);
}

bool TComTimeForm::OnOK() {
    field_.Commit();
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
