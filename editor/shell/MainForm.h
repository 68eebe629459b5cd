#pragma once

#include "editor/shell/CommandTable.h"
#include "editor/shell/EditorDocument.h"
#include "editor/shell/ToolIcons.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/Application.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/GradientPanel.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/MdiWindows.h"
#include "editor/widgets/TextLabel.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

    // A message of start-up, shown once the window is on screen, before the command line's file.
    void ShowWhenOnScreen(const MessageRequest& message) {
        messagesWhenOnScreen_.push_back(message);
    }

    void SetModified() { document_.SetModified(); }
    void ClearModified() { document_.ClearModified(); }
    void UpdateTitle() override;

    // What tests and screenshots read.
    const StatusBar& Status() const { return statusBar_; }
    const TextLabel& NovelTitleLabel() const { return novelTitleLabel_; }
    const ToolBar& Tools() const { return toolBar_; }
    const GradientPanel& ToolPanel() const { return toolPanel_; }

    void OnException(std::exception_ptr error) override;

    // Commands and menus (MainFormCommands.cpp). Every command of the editor is in this table;
    // a child window gives the actions of the commands it carries, registers its tool bar for the
    // update pass and merges its menu (the text editor's "編集(&E)") while it is active.
    CommandTable& Commands() { return commands_; }
    void AddCommandToolBar(HWND toolBar);
    // The tool buttons' part of the update pass; the message loop runs it whenever it is idle.
    void UpdateCommands();
    // Puts a child's popup into the menu bar after "ファイル(&F)", or takes it out; both by handle.
    void MergeMenu(HMENU popup, const std::wstring& caption);
    void UnmergeMenu(HMENU popup);

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
    // The scratch file deleted and the settings file written: at close and at the session's end.
    void FormCloseCleanup();
    // Windows ends the session: the save question first (Cancel keeps the session), then the
    // same cleanup as a close.
    bool FormQueryEndSession();
    void FormEndSession(bool ending);

    void RegisterCommands();
    bool HandleCommand(int command);
    void InitMenuPopup(HMENU popup);

    // File menu.
    void FileMainMenuClick();
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
    CommandTable commands_;
    std::vector<HWND> commandToolBars_;
    // Found by command id once the menu exists, then known by handle.
    HMENU fileMenu_ = nullptr;
    HMENU recentMenu_ = nullptr;
    // The paths the recent-files entries were built from: each entry opens its own caption's file.
    std::vector<std::u16string> recentMenuPaths_;
    std::vector<MessageRequest> messagesWhenOnScreen_;
};

} // namespace miravo
