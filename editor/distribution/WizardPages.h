#pragma once

#include <optional>
#include <string>

// The build wizard's pages and what its three buttons do on each: the rules of the page flow,
// apart from the window that shows them.
namespace miravo {

enum class WizardPage {
    StartPage,
    TypeSelect,
    ExeOnlyHome,
    ExeOnlyInput,
    ExeOnlyMake,
    ExeOnlyFinish
};
inline constexpr int kWizardPageCount = 6;

// Where "次へ >>" leads; nothing on the last page, which closes the wizard instead.
std::optional<WizardPage> NextPageOf(WizardPage page);
// Where "<< 戻る" leads; nothing on the first page. From the output name it skips the survey,
// which is not repeated backwards.
std::optional<WizardPage> BackPageOf(WizardPage page);

// The buttons as the page-change handler leaves them on entering a page (before the page's work:
// the survey and the build disable all three while they run).
struct WizardButtons {
    bool backEnabled = true;
    bool nextEnabled = true;
    bool cancelEnabled = true;
    std::string nextCaption = "次へ >>"; // UTF-8
    std::string backCaption = "<< 戻る";
};
WizardButtons ButtonsOnEntering(WizardPage page);

// The page's name, as the wizard tells its pages apart.
const char* PageName(WizardPage page);

} // namespace miravo
