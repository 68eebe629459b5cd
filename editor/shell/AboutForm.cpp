#include "editor/shell/AboutForm.h"

#include "editor/shell/AboutValues.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/WideText.h"

namespace miravo {

TAboutForm::TAboutForm(IUserInteraction& ui) : Dialog(IDD_ABOUT, ui) {}

void TAboutForm::OnInit() {
    const AboutValues values = AboutValuesOf(soundEngineActive_);
    SetItemText(IDC_ABOUT_VERSION, ToWide(values.version));
    SetItemText(IDC_ABOUT_ENGINE, ToWide(values.soundEngine));
}

} // namespace miravo
