#pragma once

#include "editor/shell/DocumentLifecycle.h"
#include "editor/shell/EditorState.h"
#include "editor/shell/ToolIcons.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Application.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/GradientPanel.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/MdiWindows.h"
#include "editor/widgets/TextLabel.h"
#include "editor/widgets/WindowRegistry.h"

#include <filesystem>
#include <memory>

namespace miravo {

struct CNovelModel;
class EditorSession;
class IUserInteraction;
class IProfileFile;

// The face of the editor's user-interface font.
inline constexpr const wchar_t* kUiFontFace = L"ＭＳ Ｐゴシック";

struct MainFormArgs {
    std::filesystem::path programFolder{};   // the settings file, the scratch file and the helpers
    std::filesystem::path commandLineFile{}; // opened once the window is on screen; may be empty
    int themeLevel = 0;
};

// The editor's frame window: menus, tool bar, status bar and the three child windows. Its
// commands call the session's document lifecycle; it shows the title.
class TMainForm : public MdiFrame, public ITitleView {
public:
    static constexpr int kToolPanelHeight = 44;

    TMainForm(EditorSession& session, Application& application);
    ~TMainForm() override;

    void Create(const MainFormArgs& args);
    // The other windows are created after the main window; from then on it finds them there
    // (window layout, the chart picture, the about box).
    void AttachChildren(const WindowRegistry& windows);
    // The first show: the settings file, a new novel, the window on screen; then the command
    // line's file and the first-run question.
    void ShowFirst(int showCommand);

    DocumentLifecycle& Document() { return document_; }
    EditorState& State() { return state_; }
    CNovelModel& Model() { return model_; }
    HFONT UiFont() const { return uiFont_.Get(); }
    int ThemeLevel() const { return themeLevel_; }

    // ITitleView
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

    EditorSession& session_;
    CNovelModel& model_;
    IUserInteraction& ui_;
    Application& application_;
    EditorState& state_;
    DocumentLifecycle& document_;
    const WindowRegistry* children_ = nullptr;
    ViewRegistry::Registration titleView_;
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
