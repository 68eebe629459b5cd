#pragma once

#include "editor/distribution/SeedGenerator.h"
#include "editor/distribution/WizardPages.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/Handles.h"
#include "novel/BuildFileSystem.h"
#include "novel/ExeBuild.h"

#include <memory>
#include <string>
#include <vector>

namespace miravo {

class EditorSession;
class TMainForm;

// "実行形式 作成ウィザード": turns the novel into a program to hand out, page by page: the
// welcome, the build mode, the survey of the data files, the output name, the build and its
// summary. The pages are ranges of the template's controls; the banner on the left is painted.
class TExeWizardForm : public Dialog {
public:
    enum class SurveyPage { Search, Error, NoError };

    explicit TExeWizardForm(EditorSession& session);
    // Gives the main window's "実行形式の作成(&R)..." command its action.
    void AttachTo(TMainForm& mainForm);
    // Tests make steps fail.
    void SetFileSystem(std::unique_ptr<IBuildFileSystem> files) { files_ = std::move(files); }

    WizardPage Page() const { return page_; }
    SurveyPage Survey() const { return surveyPage_; }
    BuildMode Mode() const { return mode_; }
    const std::vector<std::string>& Collected() const { return collected_; }
    const ExeBuildResult& LastBuild() const { return lastBuild_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class MakePageView;

    void FormShow();
    void GoToPage(WizardPage page);
    void NotebookPageChanged();
    void ShowPageControls();
    void ShowSurveyPage(SurveyPage page);
    void NextBtnClick();
    void BackBtnClick();
    void ExeonlyDefaultFileBtnClick();
    void ExeonlyFileRefBtnClick();
    void EnableButtons(bool back, bool next, bool cancel);
    void ReadMode();

    void RunSurvey();
    void RunBuild();
    void ProcessMessages();
    void SetBar(int id, int position, int maximum);

    void DrawBanner(const DRAWITEMSTRUCT& item);

    EditorSession& session_;
    std::unique_ptr<IBuildFileSystem> files_;
    PseudoRandom seeds_; // seeded when the editor starts
    WizardPage page_ = WizardPage::StartPage;
    SurveyPage surveyPage_ = SurveyPage::Search;
    BuildMode mode_ = BuildMode::SingleFile;
    std::vector<std::string> collected_;
    ExeBuildResult lastBuild_;
    FontHandle boldFont_;
    FontHandle bannerTitleFont_;
    FontHandle bannerTextFont_;
};

} // namespace miravo
