#include "editor/properties/CounterForm.h"

#include "editor/properties/SettingsResource.h"
#include "editor/shell/EditorSession.h"
#include "editor/widgets/BuiltinPictureResource.h"
#include "editor/widgets/WideText.h"
#include "novel/NovelData.h"

#include <commctrl.h>

#include <exception>
#include <string>

namespace miravo {

namespace {

constexpr int kCounterIcon = 0;
constexpr int kTextWindowIcon = 1;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 24;
constexpr int kGap = 4;

// The icons of the lists' rows; a list shows its rows without icons when the program lacks
// them (it still works).
ImageListHandle LoadListIcons() {
    try {
        const CPicture counter = LoadBuiltinPicture(BuiltinPicture::CounterIcon);
        const CPicture window = LoadBuiltinPicture(BuiltinPicture::TextWindowIcon);
        return CreatePictureImageList({&counter, &window});
    } catch (const std::exception&) {
        return {};
    }
}

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

ListCell NumberCell(int row, int icon) {
    return {.runs = {{std::to_wstring(row + 1), true}}, .icon = icon};
}

} // namespace

void TCounterForm::Create(EditorSession& session, HWND mdiClient, HFONT font) {
    session_ = &session;
    counterEdit_.emplace(session);
    windowEdit_.emplace(session);
    CreateChild({.className = L"MiravoCounterForm", .caption = L"設定", .mdiClient = mdiClient});
    icons_ = LoadListIcons();
    tabs_.Create({.parent = Handle(), .id = IDC_SETTINGS_TABS, .font = font});
    tabs_.AddTab(L"カウンタリスト");
    tabs_.AddTab(L"テキストウィンドウ");
    // The pages' controls are siblings above the tab control, so that they get the input and
    // the pointer.
    CreateCounterPage(font);
    CreateWindowPage(font);
    SetWindowPos(tabs_.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowTab(kCountersTab);
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    counterView_ = session.Views().Add<ICounterListView>(*this);
    textWindowView_ = session.Views().Add<ITextWindowListView>(*this);
}

void TCounterForm::CreateCounterPage(HFONT font) {
    counterList_.Create({.parent = Handle(),
                         .id = IDC_COUNTER_LIST,
                         .sections = {{L"No.", 38, 38, 38},
                                      {L"カウンタ名", 110, 100, 0},
                                      {L"初期値", 50, 50, 0},
                                      {L"範囲", 70, 70, 0},
                                      {L"繰越し", 50, 50, 60}},
                         .rowHeight = 18,
                         .images = icons_.Get(),
                         .font = font,
                         .hint = L"|カウンタ一覧です.  ダブルクリックで編集できます."});
    counterList_.SetRowSource(0, [this](int row) { return CounterRow(row); });
    newButton_.Create({.parent = Handle(),
                       .id = IDC_COUNTER_NEW,
                       .text = L"新規",
                       .font = font,
                       .hint = L"|新しくカウンタを作成します."});
    deleteButton_.Create({.parent = Handle(),
                          .id = IDC_COUNTER_DELETE,
                          .text = L"削除",
                          .font = font,
                          .hint = L"|カウンタを削除します."});
    editButton_.Create({.parent = Handle(),
                        .id = IDC_COUNTER_EDIT,
                        .text = L"編集",
                        .font = font,
                        .hint = L"|選択しているカウンタを編集します."});
}

void TCounterForm::CreateWindowPage(HFONT font) {
    windowList_.Create({.parent = Handle(),
                        .id = IDC_WINDOW_LIST,
                        .sections = {{L"No.", 38, 38, 38}, {L"テキストウィンドウ", 300, 100, 0}},
                        .rowHeight = 18,
                        .images = icons_.Get(),
                        .font = font,
                        .hint = L"|テキストウインドウ一覧です.  ダブルクリックで編集できます."});
    windowList_.SetRowSource(0, [this](int row) { return WindowRow(row); });
    windowNewButton_.Create({.parent = Handle(),
                             .id = IDC_WINDOW_NEW,
                             .text = L"新規",
                             .font = font,
                             .hint = L"|新しくテキストウインドウを作成します."});
    windowDeleteButton_.Create({.parent = Handle(),
                                .id = IDC_WINDOW_DELETE,
                                .text = L"削除",
                                .font = font,
                                .hint = L"|テキストウインドウを削除します."});
    windowEditButton_.Create({.parent = Handle(),
                              .id = IDC_WINDOW_EDIT,
                              .text = L"編集",
                              .font = font,
                              .hint = L"|選択しているテキストウインドウを編集します."});
}

ListRow TCounterForm::CounterRow(int row) const {
    const CNovelCounters& counters = session_->Model().Counters;
    if (row < 0 || row >= counters.Count()) {
        return {};
    }
    const CNovelCounter& counter = counters[row];
    return {
        .cells = {
            NumberCell(row, icons_ ? kCounterIcon : -1),
            {.runs = {{WidenShiftJis(counter.Name), false}}},
            {.runs = {{std::to_wstring(counter.InitialValue), true}}, .align = CellAlign::Right},
            {.runs = {{Wide(CounterRangeText(counter.MinValue, counter.MaxValue)), true}},
             .indent = 8},
            {.runs = {{counter.CarryOver ? L"する" : L"しない", false}}},
        }};
}

ListRow TCounterForm::WindowRow(int row) const {
    const CTextWindows& windows = session_->Model().TextWindows;
    if (row < 0 || row >= windows.Count()) {
        return {};
    }
    return {.cells = {NumberCell(row, icons_ ? kTextWindowIcon : -1),
                      {.runs = {{WidenShiftJis(windows[row].Name), false}}}}};
}

void TCounterForm::RefreshCounters() {
    // Rows are added or removed at the end; every row is painted from the table.
    counterList_.SetRowCount(session_->Model().Counters.Count());
    InvalidateRect(counterList_.ListHandle(), nullptr, TRUE);
}

void TCounterForm::RefreshTextWindows() {
    windowList_.SetRowCount(session_->Model().TextWindows.Count());
    InvalidateRect(windowList_.ListHandle(), nullptr, TRUE);
}

void TCounterForm::RefreshLists() {
    RefreshCounters();
    RefreshTextWindows();
}

void TCounterForm::NewButtonClick() { session_->Counters().NewCounter(); }

void TCounterForm::DeleteButtonClick() {
    const int row = counterList_.Selected();
    if (row >= 0) {
        session_->Counters().DeleteCounter(row);
    }
}

void TCounterForm::EditButtonClick() {
    const int row = counterList_.Selected();
    if (row < 0 || row >= session_->Model().Counters.Count()) {
        return;
    }
    counterEdit_->SetCounter(row);
    if (counterEdit_->ShowModal(GetAncestor(Handle(), GA_ROOT)) == IDOK) {
        session_->Counters().CounterEdited();
    }
}

void TCounterForm::WindowNewButtonClick() { session_->TextWindows().NewWindow(); }

void TCounterForm::WindowDeleteButtonClick() {
    const int row = windowList_.Selected();
    if (row >= 0) {
        session_->TextWindows().DeleteWindow(row);
    }
}

void TCounterForm::WindowEditButtonClick() {
    const int row = windowList_.Selected();
    if (row < 0 || row >= session_->Model().TextWindows.Count() ||
        !session_->TextWindows().MayEdit()) {
        return;
    }
    windowEdit_->SetWindow(row);
    if (windowEdit_->ShowModal(GetAncestor(Handle(), GA_ROOT)) == IDOK) {
        session_->TextWindows().WindowEdited();
    }
}

void TCounterForm::ShowTab(int tab) {
    tabs_.Select(tab);
    for (Control* control :
         {static_cast<Control*>(&counterList_), static_cast<Control*>(&newButton_),
          static_cast<Control*>(&deleteButton_), static_cast<Control*>(&editButton_)}) {
        control->Show(tab == kCountersTab);
    }
    for (Control* control :
         {static_cast<Control*>(&windowList_), static_cast<Control*>(&windowNewButton_),
          static_cast<Control*>(&windowDeleteButton_), static_cast<Control*>(&windowEditButton_)}) {
        control->Show(tab == kTextWindowsTab);
    }
}

bool TCounterForm::OnCommand(int id, int notification) {
    if (notification == BN_CLICKED) {
        switch (id) {
        case IDC_COUNTER_NEW: NewButtonClick(); return true;
        case IDC_COUNTER_DELETE: DeleteButtonClick(); return true;
        case IDC_COUNTER_EDIT: EditButtonClick(); return true;
        case IDC_WINDOW_NEW: WindowNewButtonClick(); return true;
        case IDC_WINDOW_DELETE: WindowDeleteButtonClick(); return true;
        case IDC_WINDOW_EDIT: WindowEditButtonClick(); return true;
        default: return false;
        }
    }
    if (id == IDC_COUNTER_LIST && notification == HLN_DBLCLK) {
        EditButtonClick(); // ListDblClick
        return true;
    }
    if (id == IDC_COUNTER_LIST && notification == HLN_DELETEKEY) {
        DeleteButtonClick(); // ListKeyDown
        return true;
    }
    if (id == IDC_WINDOW_LIST && notification == HLN_DBLCLK) {
        WindowEditButtonClick(); // WindowListDblClick
        return true;
    }
    if (id == IDC_WINDOW_LIST && notification == HLN_DELETEKEY) {
        WindowDeleteButtonClick(); // WindowListKeyDown
        return true;
    }
    return false;
}

LRESULT TCounterForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam))) {
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_SETTINGS_TABS && header->code == TCN_SELCHANGE) {
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
    const int listHeight = (page.bottom - page.top) - kButtonHeight - 2 * kGap;
    const int buttonsTop = page.bottom - kGap - kButtonHeight;
    for (THeaderList* list : {&counterList_, &windowList_}) {
        list->SetBounds(page.left, page.top, page.right - page.left, listHeight);
    }
    int x = page.left;
    for (auto [counters, windows] : {std::pair{&newButton_, &windowNewButton_},
                                     std::pair{&deleteButton_, &windowDeleteButton_},
                                     std::pair{&editButton_, &windowEditButton_}}) {
        counters->SetBounds(x, buttonsTop, kButtonWidth, kButtonHeight);
        windows->SetBounds(x, buttonsTop, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kGap;
    }
}

} // namespace miravo
