#pragma once

#include "editor/properties/CounterOperations.h"
#include "editor/properties/TextWindowOperations.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/MdiWindows.h"

namespace miravo {

class EditorSession;

// The settings window "設定": the counters and the text windows of the novel, one tab each.
class TCounterForm : public MdiChild, public ICounterListView, public ITextWindowListView {
public:
    static constexpr int kCountersTab = 0;
    static constexpr int kTextWindowsTab = 1;

    void Create(EditorSession& session, HWND mdiClient, HFONT font);
    // The lists follow the model's tables.
    void RefreshCounters() override;
    void RefreshTextWindows() override;

    const TabControl& Tabs() const { return tabs_; }
    const ListBox& CounterList() const { return counterList_; }
    const ListBox& WindowList() const { return windowList_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    void ShowTab(int tab);

    EditorSession* session_ = nullptr;
    ViewRegistry::Registration counterView_;
    ViewRegistry::Registration textWindowView_;
    TabControl tabs_;
    ListBox counterList_;
    ListBox windowList_;
};

} // namespace miravo
