#include "editor/distribution/TestPlayForm.h"

#include "editor/distribution/DistributionResource.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/WideText.h"

namespace miravo {

namespace {

// A dialog's own font, in bold.
FontHandle BoldFontOf(HWND dialog) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return FontHandle(CreateFontIndirectW(&font));
}

} // namespace

unsigned WinExecLauncher::Start(const std::string& commandLine) {
    return ::WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

TTestPlayForm::TTestPlayForm(EditorSession& session)
    : Dialog(IDD_TESTPLAY, session.Ui()), session_(session),
      launcher_(std::make_unique<WinExecLauncher>()) {}

void TTestPlayForm::AttachTo(TMainForm& mainForm) {
    mainForm.Commands().SetAction(ID_TESTPLAY, [this, &mainForm] { ShowModal(mainForm.Handle()); });
}

void TTestPlayForm::OnInit() {
    boldFont_ = BoldFontOf(Handle());
    SendMessageW(Item(IDC_TESTPLAY_OPTIONS), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()),
                 TRUE);
    CheckDlgButton(Handle(), IDC_TESTPLAY_DEBUG, options_.debug ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_TESTPLAY_HICOLOR, options_.hiColor ? BST_CHECKED : BST_UNCHECKED);
}

bool TTestPlayForm::OnOK() {
    options_.debug = IsDlgButtonChecked(Handle(), IDC_TESTPLAY_DEBUG) == BST_CHECKED;
    options_.hiColor = IsDlgButtonChecked(Handle(), IDC_TESTPLAY_HICOLOR) == BST_CHECKED;
    StartButtonClick();
    return true;
}

void TTestPlayForm::StartButtonClick() {
    try {
        lastCommandLine_ = StartPlaytest(session_, options_, *launcher_);
    } catch (...) {
        // The scratch file could not be written: its error, and no runtime. The dialog closes.
        Ui().ShowMessage({.text = UiTextOf(ExceptionText(std::current_exception())),
                          .caption = "Miravo",
                          .buttons = MessageButtons::Ok,
                          .icon = MessageIcon::Error});
    }
}

} // namespace miravo
