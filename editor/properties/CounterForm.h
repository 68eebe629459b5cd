#pragma once

#include "editor/widgets/Controls.h"
#include "editor/widgets/MdiWindows.h"

namespace miravo {

class EditorDocument;

// The settings window "設定": the counters and the text windows of the novel, one tab each.
class TCounterForm : public MdiChild {
public:
    static constexpr int kCountersTab = 0;
    static constexpr int kTextWindowsTab = 1;

    void Create(EditorDocument& document, HWND mdiClient, HFONT font);
    // The lists follow the model's tables.
    void RefreshLists();

    const TabControl& Tabs() const { return tabs_; }
    const ListBox& CounterList() const { return counterList_; }
    const ListBox& WindowList() const { return windowList_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    void ShowTab(int tab);

    EditorDocument* document_ = nullptr;
    TabControl tabs_;
    ListBox counterList_;
    ListBox windowList_;
};

} // namespace miravo
