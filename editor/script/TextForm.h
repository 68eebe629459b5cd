#pragma once

#include "editor/script/CommandSink.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/script/ScriptSearch.h"
#include "editor/shell/ToolIcons.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/GenericControl.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/HeaderList.h"
#include "editor/widgets/MdiWindows.h"
#include "editor/widgets/PictureImages.h"
#include "editor/widgets/ScriptEditControl.h"

#include <memory>
#include <string>
#include <string_view>

namespace miravo {

class EditorSession;
class TMainForm;
class TFormSearch;
class TFormReplace;
class TPropertyForm;

// The item text editor window: the current item's name, its script in the decorated script
// editing control, the command menu, search and replace, and the link panel. It owns no data:
// ChangeText copies the current item in, StoreToItem copies the edits back, both through the
// item text operations. It is the sink of the command dialogs (CommandOut).
class TTextForm : public MdiChild,
                  public ICurrentItemView,
                  public IScriptLineView,
                  public ILinkListView,
                  public ICommandSink {
public:
    static constexpr int kMinWidth = 360;
    static constexpr int kMinHeight = 300;
    static constexpr int kLinkPanelHeight = 128;
    static constexpr int kLinkRowHeight = 19;

    TTextForm();
    ~TTextForm() override;

    void Create(EditorSession& session, HWND mdiClient, HFONT font);

    // ICurrentItemView
    void ChangeText() override;
    void StoreToItem() override;
    // IScriptLineView: the caret on the line, the window in front.
    void ShowScriptLine(int line) override;
    // ILinkListView: counter numbers moved (a counter was deleted).
    void RepaintLinkList() override { RefreshLinks(false); }
    // ICommandSink: one command line before or after the caret's line, as one undo step.
    void CommandOut(std::string_view line) override;

    // The keys the window takes before the control (Ctrl+Enter, Alt+Enter, Insert, ...); true
    // when handled. Public for tests, which press them as the control would report them.
    bool EditorKeyDown(UINT virtualKey, bool shift, bool control, bool alt);
    // Commands of the edit and command menus, by id (TextFormIds.h).
    bool RunCommand(int id);

    // Search and replace with the dialogs' results (the dialogs call these; tests too).
    void FindWith(const std::string& text, const SearchOptions& options);
    void ReplaceWith(const std::string& text, const std::string& replacement,
                     SearchOptions options);
    bool SearchStep();
    const SearchOptions& Options() const { return options_; }

    // The link panel.
    void SelectLinkRow(int slot);
    int SelectedLinkRow() const;
    void MoveLink(int direction);
    void EditLinkClick();
    std::wstring LinkCellText(int slot, int column) const; // a row's section, for tests
    bool LinkRowChecked(int slot) const;
    void SetLinkRowChecked(int slot, bool checked); // as a click on the check box
    void SetLinkType(int linkType);                 // as a choice in the selector

    const EditBox& NameEdit() const { return nameEdit_; }
    ScriptEditControl& Editor() { return editor_; }
    const Label& LinkPanel() const { return linkPanel_; }
    const THeaderList& LinkList() const { return linkList_; }
    HWND LinkTypeCombo() const { return linkTypeCombo_.Handle(); }
    HWND CommandButton() const { return commandButton_.Handle(); }
    HMENU CommandMenu() const { return commandMenu_.Get(); }
    HMENU EditMenu() const { return editMenu_.Get(); }
    std::wstring InputModeText() const { return status_.PanelText(0); }
    std::wstring PositionText() const { return status_.PanelText(1); }
    bool UndoButtonEnabled() const { return IsWindowEnabled(undoButton_.Handle()) != FALSE; }
    bool RedoButtonEnabled() const { return IsWindowEnabled(redoButton_.Handle()) != FALSE; }
    bool Loaded() const { return loaded_; }
    TPropertyForm& LinkDialog() { return *linkDialog_; }
    TFormSearch& SearchDialog() { return *searchDialog_; }
    TFormReplace& ReplaceDialog() { return *replaceDialog_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    static constexpr int kNamePanelHeight = 28;
    static constexpr int kEditToolBarHeight = 26;
    static constexpr int kSplitterHeight = 4;
    static constexpr int kLinkToolBarHeight = 24;

    void CreateEditToolBar(HFONT font);
    void CreateLinkPanel(HFONT font);
    void CreateMenus();
    void RegisterCommands();
    TMainForm* MainForm() const;

    void NameEditChange();
    void EditorChange();
    void UpdateEditState(); // status panels, undo and redo
    void UpdateWrap();
    void DecorateRow(HDC dc, const ScriptRow& row) const;
    void ShowCommandMenu();
    void ShowContextMenu(POINT screen);
    void InsertClickWaitAtCaret();
    void OpenCommandDialog(CommandDialog dialog);
    void MoveCaretToLine(int line);

    void FindClick();
    void ReplaceClick();
    void FindNext(bool down);
    void NotFound(const char* caption);
    void ReplaceOne(const std::string& replacement, int& replaced);

    void RefreshLinks(bool selectFirst);
    ListRow LinkRow(int slot) const;
    void LinkListCommand(WORD notification);
    void LinkCheckChanged(int slot);

    EditorSession* session_ = nullptr;
    ViewRegistry::Registration view_;
    ViewRegistry::Registration lineView_;
    ViewRegistry::Registration linkListView_;
    bool loaded_ = false;
    HFONT font_ = nullptr;
    FontHandle boldFont_;
    Label nameLabel_;
    EditBox nameEdit_;
    Button commandButton_;
    Button cutButton_;
    Button copyButton_;
    Button pasteButton_;
    Button undoButton_;
    Button redoButton_;
    StatusBar status_;
    ScriptEditControl editor_;
    Label linkPanel_;
    Label linkCaption_;
    Button linkEditButton_;
    Button linkUpButton_;
    Button linkDownButton_;
    Label linkTypeCaption_;
    GenericControl linkTypeCombo_;
    THeaderList linkList_;
    ImageListHandle listIcons_; // the counter icon of the condition section
    MenuHandle commandMenu_;
    MenuHandle editMenu_;
    MenuHandle contextMenu_;
    // The splitter between the editor and the link panel, while dragged.
    bool splitting_ = false;
    int splitOffset_ = 0;

    // Search state kept between searches.
    std::string searchText_;
    SearchOptions options_;
    std::unique_ptr<TFormSearch> searchDialog_;
    std::unique_ptr<TFormReplace> replaceDialog_;
    std::unique_ptr<TPropertyForm> linkDialog_;
};

} // namespace miravo
