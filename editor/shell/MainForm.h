#pragma once

#include "editor/shell/DocumentLifecycle.h"
#include "editor/shell/ToolIcons.h"
#include "editor/widgets/Application.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/GradientPanel.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/MdiWindows.h"
#include "editor/widgets/TextLabel.h"

#include <filesystem>
#include <memory>

namespace miravo {

struct CNovelModel;
class IUserInteraction;
class IProfileFile;
class TChartForm;
class TCounterForm;
class TTextForm;
class TAboutForm;

// The face of the editor's user-interface font.
inline constexpr const wchar_t* kUiFontFace = L"ＭＳ Ｐゴシック";

struct MainFormArgs {
    std::filesystem::path programFolder{};   // the settings file, the scratch file and the helpers
    std::filesystem::path commandLineFile{}; // opened once the window is on screen; may be empty
    int themeLevel = 0;
};

struct MainFormChildren {
    TChartForm* chart = nullptr;
    TCounterForm* counter = nullptr;
    TTextForm* text = nullptr;
    TAboutForm* about = nullptr;
};

// The editor's frame window: menus, tool bar, status bar and the three child windows. It holds
// the editor state and the document lifecycle, and refreshes its child windows for it.
class TMainForm : public MdiFrame, private IDocumentViews {
public:
    static constexpr int kToolPanelHeight = 44;

    TMainForm(CNovelModel& model, IUserInteraction& ui, Application& application);
    ~TMainForm() override;

    void Create(const MainFormArgs& args);
    // The child windows are created after the main window; from then on it refreshes them.
    void AttachChildren(const MainFormChildren& children);
    // The first show: the settings file, a new novel, the window on screen; then the command
    // line's file and the first-run question.
    void ShowFirst(int showCommand);

    EditorDocument& Document() { return document_; }
    EditorState& State() { return state_; }
    CNovelModel& Model() { return model_; }
    HFONT UiFont() const { return uiFont_.Get(); }
    int ThemeLevel() const { return themeLevel_; }

    void SetModified() { document_.SetModified(); }
    void ClearModified() { document_.ClearModified(); }
    void UpdateTitle() override;

    // What tests and screenshots read.
    const StatusBar& Status() const { return statusBar_; }
    const TextLabel& NovelTitleLabel() const { return novelTitleLabel_; }
    const ToolBar& Tools() const { return toolBar_; }
    const GradientPanel& ToolPanel() const { return toolPanel_; }

    void OnException(std::exception_ptr error) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // IDocumentViews
    void StoreToItem() override;
    void ChangeText() override;
    void ResizeChart() override;
    void EndMultiSelection() override;
    void DrawChart() override;
    ChartPoint ChartScrollPosition() const override;
    void RefreshLists() override;

    void FormCreate();
    void CreateToolBar();
    void ApplyThemeLevel();
    void LayoutFrame();
    void FormShow();
    void FormShown();
    bool FormCloseQuery();
    bool HandleCommand(int command);

    // File menu.
    void FileMainMenuClick(HMENU fileMenu);
    void NovelNewClick();
    void NovelOpenClick();
    void NovelSaveClick();
    void NovelSaveAsClick();
    void RecentFileClick(int index);
    void AssociateClick();
    void ChartBmpSaveClick();
    void TextSaveClick();
    void PlaneTextSaveClick();
    void ExitMenuClick();
    // Window menu and the settings file (MainFormLayout.cpp).
    void ArrangeWindowMenuClick();
    void ResetWindowLayoutMenuClick();
    void SaveWindowLayoutMenuClick();
    void ReadSettings();
    void WriteSettings();
    void RestoreWindowLayout(const IProfileFile& settings);
    void SaveWindowLayout(IProfileFile& settings);
    bool ResumeLayout() const;
    void SetResumeLayout(bool enabled);
    // Help menu.
    void Contents1Click();
    void AboutClick();

    void StartAssociator();

    CNovelModel& model_;
    IUserInteraction& ui_;
    Application& application_;
    EditorState state_;
    EditorDocument document_;
    MainFormChildren children_;
    std::filesystem::path commandLineFile_;
    int themeLevel_ = 0;
    FontHandle uiFont_;
    FontHandle titleFont_;
    ImageListHandle toolImages_;
    LibraryHandle helpLibrary_;
    GradientPanel toolPanel_;
    ToolBar toolBar_;
    TextLabel novelTitleLabel_;
    StatusBar statusBar_;
    HACCEL accelerators_ = nullptr;
};

} // namespace miravo
