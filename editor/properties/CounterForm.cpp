#include "editor/properties/CounterForm.h"

#include "editor/shell/EditorSession.h"
#include "editor/widgets/WideText.h"
#include "novel/NovelData.h"

#include <commctrl.h>

namespace miravo {

namespace {
constexpr int kTabsId = 101;
}

void TCounterForm::Create(EditorSession& session, HWND mdiClient, HFONT font) {
    session_ = &session;
    CreateChild({.className = L"MiravoCounterForm", .caption = L"設定", .mdiClient = mdiClient});
    tabs_.Create({.parent = Handle(), .id = kTabsId, .font = font});
    tabs_.AddTab(L"カウンタリスト");
    tabs_.AddTab(L"テキストウィンドウ");
    // The lists are siblings above the tab control, so that they get the input and the pointer.
    counterList_.Create({.parent = Handle(), .font = font});
    windowList_.Create({.parent = Handle(), .font = font});
    SetWindowPos(tabs_.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowTab(kCountersTab);
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    counterView_ = session.Views().Add<ICounterListView>(*this);
    textWindowView_ = session.Views().Add<ITextWindowListView>(*this);
}

void TCounterForm::RefreshCounters() {
    const CNovelModel& model = session_->Model();
    counterList_.Clear();
    for (int i = 0; i < model.Counters.Count(); ++i) {
        counterList_.Add(WidenShiftJis(model.Counters[i].Name));
    }
}

void TCounterForm::RefreshTextWindows() {
    const CNovelModel& model = session_->Model();
    windowList_.Clear();
    for (int i = 0; i < model.TextWindows.Count(); ++i) {
        windowList_.Add(WidenShiftJis(model.TextWindows[i].Name));
    }
}

void TCounterForm::ShowTab(int tab) {
    tabs_.Select(tab);
    counterList_.Show(tab == kCountersTab);
    windowList_.Show(tab == kTextWindowsTab);
}

LRESULT TCounterForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kTabsId && header->code == TCN_SELCHANGE) {
            ShowTab(tabs_.Selected());
            return 0;
        }
        break;
    }
    case WM_SHOWWINDOW:
        // Every time the window is shown it opens on the counters.
        if (wParam) {
            ShowTab(kCountersTab);
        }
        break;
    default: break;
    }
    return MdiChild::HandleMessage(message, wParam, lParam);
}

void TCounterForm::LayoutChildren(int width, int height) {
    tabs_.SetBounds(2, 2, width - 4, height - 4);
    const RECT page = tabs_.PageArea();
    for (ListBox* list : {&counterList_, &windowList_}) {
        list->SetBounds(page.left, page.top, page.right - page.left, page.bottom - page.top);
    }
}

} // namespace miravo
