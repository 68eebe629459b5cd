#include "editor/shell/AboutForm.h"

#include "editor/shell/DocumentLifecycle.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/WideText.h"

namespace miravo {

TAboutForm::TAboutForm() : Dialog(IDD_ABOUT) {}

void TAboutForm::OnInit() {
    SetItemText(IDC_ABOUT_VERSION, L"バージョン " + Widen(VersionText()));
    SetItemText(IDC_ABOUT_ENGINE, soundEngineActive_
                                      ? L"サウンドエンジン: MVSound (使用中)"
                                      : L"サウンドエンジン: なし (音声の試聴はできません)");
}

} // namespace miravo
