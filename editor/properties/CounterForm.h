#pragma once

#include "editor/properties/CounterEditForm.h"
#include "editor/properties/CounterOperations.h"
#include "editor/properties/TextWindowEditForm.h"
#include "editor/properties/TextWindowOperations.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/HeaderList.h"
#include "editor/widgets/MdiWindows.h"
#include "editor/widgets/PictureImages.h"

#include <optional>

namespace miravo {

class EditorSession;

// The settings window "設定": the counters and the text windows of the novel, one tab each. The
// lists show the model's tables directly; the buttons, a double-click and the Delete key call
// the counter and text-window operations.
class TCounterForm : public MdiChild, public ICounterListView, public ITextWindowListView {
public:
    static constexpr int kCountersTab = 0;
    static constexpr int kTextWindowsTab = 1;

    void Create(EditorSession& session, HWND mdiClient, HFONT font);
    // The lists follow the model's tables.
    void RefreshCounters() override;
    void RefreshTextWindows() override;
    // Both lists.
    void RefreshLists();

    // The tab's handlers.
    void NewButtonClick();
    void DeleteButtonClick();
    void EditButtonClick();
    void WindowNewButtonClick();
    void WindowDeleteButtonClick();
    void WindowEditButtonClick();

    const TabControl& Tabs() const { return tabs_; }
    const THeaderList& CounterList() const { return counterList_; }
    THeaderList& CounterList() { return counterList_; }
    const THeaderList& WindowList() const { return windowList_; }
    THeaderList& WindowList() { return windowList_; }
    const Button& NewButton() const { return newButton_; }
    const Button& DeleteButton() const { return deleteButton_; }
    const Button& EditButton() const { return editButton_; }
    const Button& WindowNewButton() const { return windowNewButton_; }
    const Button& WindowDeleteButton() const { return windowDeleteButton_; }
    const Button& WindowEditButton() const { return windowEditButton_; }
    // What row `row` of each list shows.
    ListRow CounterRow(int row) const;
    ListRow WindowRow(int row) const;
    TCounterEditForm& CounterEditor() { return *counterEdit_; }
    TTextWindowEditForm& WindowEditor() { return *windowEdit_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    void ShowTab(int tab);
    void CreateCounterPage(HFONT font);
    void CreateWindowPage(HFONT font);
    bool OnCommand(int id, int notification);

    EditorSession* session_ = nullptr;
    ViewRegistry::Registration counterView_;
    ViewRegistry::Registration textWindowView_;
    ImageListHandle icons_;
    TabControl tabs_;
    THeaderList counterList_;
    Button newButton_;
    Button deleteButton_;
    Button editButton_;
    THeaderList windowList_;
    Button windowNewButton_;
    Button windowDeleteButton_;
    Button windowEditButton_;
    std::optional<TCounterEditForm> counterEdit_;
    std::optional<TTextWindowEditForm> windowEdit_;
};

} // namespace miravo
