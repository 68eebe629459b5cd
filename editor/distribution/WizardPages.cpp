#include "editor/distribution/WizardPages.h"

namespace miravo {

std::optional<WizardPage> NextPageOf(WizardPage page) {
    if (page == WizardPage::ExeOnlyFinish)
        return std::nullopt;
    return static_cast<WizardPage>(static_cast<int>(page) + 1);
}

std::optional<WizardPage> BackPageOf(WizardPage page) {
    switch (page) {
    case WizardPage::StartPage: return std::nullopt;
    case WizardPage::ExeOnlyInput: return WizardPage::TypeSelect;
    default: return static_cast<WizardPage>(static_cast<int>(page) - 1);
    }
}

WizardButtons ButtonsOnEntering(WizardPage page) {
    WizardButtons buttons;
    switch (page) {
    case WizardPage::StartPage: buttons.backEnabled = false; break;
    case WizardPage::ExeOnlyInput: buttons.nextCaption = "作成 >>"; break;
    case WizardPage::ExeOnlyMake:
        buttons.backEnabled = buttons.nextEnabled = buttons.cancelEnabled = false;
        break;
    case WizardPage::ExeOnlyFinish:
        buttons.backEnabled = buttons.cancelEnabled = false;
        buttons.nextCaption = "完了";
        break;
    default: break;
    }
    return buttons;
}

const char* PageName(WizardPage page) {
    static const char* const names[kWizardPageCount] = {
        "StartPage", "TypeSelect", "ExeOnlyHome", "ExeOnlyInput", "ExeOnlyMake", "ExeOnlyFinish"};
    return names[static_cast<int>(page)];
}

} // namespace miravo
