#include "editor/chart/ChartForm.h"

#include "editor/chart/ChartGlyphs.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/Paint.h"
#include "novel/NovelData.h"
#include "novel/ShiftJis.h"

#include <algorithm>

namespace miravo {

namespace {
constexpr int kToolPanelId = 100;
constexpr int kToolBarId = 101;
constexpr int kMarkToolBarId = 102;
constexpr int kMarkPanelWidth = 120;
} // namespace

void TChartForm::Create(EditorSession& session, HWND mdiClient, HFONT font) {
    session_ = &session;
    CreateChild({.className = L"MiravoChartForm", .caption = L"チャート", .mdiClient = mdiClient});
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    nameFont_ = CreateUiFont(kUiFontFace, 9, false);
    currentNameFont_ = CreateUiFont(kUiFontFace, 9, true);
    toolImages_ = CreateToolImages();
    markImages_ = CreateChartMarkImages();

    toolPanel_.Create(Handle(), kToolPanelId, kToolPanelHeight);
    toolPanel_.ShowBoxes(false);
    tools_.Create({.parent = toolPanel_.Handle(), .id = kToolBarId, .font = font},
                  toolImages_.Get());
    tools_.AddButton(
        {kNewItemCommand, kNewImage, L"新規アイテム", L"|新しいアイテムを作成します."});
    tools_.AddButton({ID_ITEM_DELETE, kDeleteImage, L"削除", L"|選択中のアイテムを削除します."});
    tools_.AddButton(
        {kChartSizeCommand, kResizeImage, L"サイズ変更", L"|チャートのサイズを変更します."});
    tools_.AddButton({ID_ITEM_MARK, kMarkImage, L"マーク", L"|現在のアイテムをマークします"});
    const SIZE toolSize = tools_.IdealSize();
    tools_.SetBounds(2, (kToolPanelHeight - toolSize.cy) / 2, toolSize.cx, toolSize.cy);
    markItemPanel_.Create({.parent = toolPanel_.Handle(),
                           .x = toolSize.cx + 6,
                           .y = 5,
                           .width = kMarkPanelWidth,
                           .height = kToolPanelHeight - 10,
                           .style = SS_SUNKEN | SS_CENTERIMAGE | SS_LEFTNOWORDWRAP,
                           .font = font});
    markTools_.Create({.parent = toolPanel_.Handle(), .id = kMarkToolBarId, .font = font},
                      toolImages_.Get());
    markTools_.AddButton({kMarkFocusCommand, kMoveImage, L"移動", L"|マークアイテムに移動します"});
    const SIZE markSize = markTools_.IdealSize();
    markTools_.SetBounds(toolSize.cx + kMarkPanelWidth + 10, (kToolPanelHeight - markSize.cy) / 2,
                         markSize.cx, markSize.cy);

    popupMenu_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu_.Get(), MF_STRING, ID_ITEM_DELETE, L"削除(&D)...\tDel");
    AppendMenuW(popupMenu_.Get(), MF_STRING, ID_ITEM_MARK, L"マーク(&M)");
    AppendMenuW(popupMenu_.Get(), MF_STRING, kMarkFocusCommand, L"マークへ移動(&J)");
    AppendMenuW(popupMenu_.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popupMenu_.Get(), MF_STRING, kNewItemCommand, L"新規アイテム(&N)");

    chart_.Create(Handle(), session,
                  {.nameFont = nameFont_.Get(),
                   .currentNameFont = currentNameFont_.Get(),
                   .markImages = markImages_.Get()});
    chart_.onContextMenu = [this](POINT screen) {
        TrackPopupMenu(popupMenu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                       Handle(), nullptr);
    };
    sizeForm_ = std::make_unique<TChartSizeForm>(session);
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    view_ = session.Views().Add<IChartView>(*this);
}

void TChartForm::RegisterCommands(TMainForm& mainForm) {
    CommandTable& commands = mainForm.Commands();
    commands.SetAction(ID_ITEM_DELETE, [this] { DeleteItemButtonClick(); });
    commands.SetAction(ID_ITEM_MARK, [this] { MarkSetButtonClick(); });
    commands_ = &commands;
    mainForm.AddCommandToolBar(tools_.Handle());
}

void TChartForm::ResizeChart() {
    // An opened novel may have fewer items: a selection of the old one means nothing there.
    session_->Chart().EndMultiSelection();
    chart_.Resize();
}

void TChartForm::EndMultiSelection() { session_->Chart().EndMultiSelection(); }

void TChartForm::NewItemButtonClick() { session_->Chart().NewItem(); }

void TChartForm::DeleteItemButtonClick() { session_->Chart().DeleteItems(); }

void TChartForm::ChartSizeChangeButtonClick() { sizeForm_->ShowModal(Handle()); }

void TChartForm::MarkSetButtonClick() {
    session_->Chart().SetMark();
    ShowMarkName();
}

void TChartForm::MarkFocusButtonClick() { session_->Chart().GoToMark(); }

bool TChartForm::PreviewKey(const MSG& key) {
    if (key.message != WM_KEYDOWN || key.wParam != VK_DELETE) {
        return false;
    }
    RunCommand(ID_ITEM_DELETE);
    return true;
}

void TChartForm::ShowMarkName() {
    const std::u16string name = sjis::ToUtf16(session_->Chart().MarkName());
    markItemPanel_.SetText(std::wstring(name.begin(), name.end()));
}

void TChartForm::RunCommand(int id) {
    // The table's commands go through it, so that a disabled one does nothing.
    if (commands_ != nullptr && commands_->Has(id)) {
        commands_->Run(id);
        return;
    }
    switch (id) {
    case kNewItemCommand: NewItemButtonClick(); break;
    case kChartSizeCommand: ChartSizeChangeButtonClick(); break;
    case kMarkFocusCommand: MarkFocusButtonClick(); break;
    case ID_ITEM_DELETE: DeleteItemButtonClick(); break;
    case ID_ITEM_MARK: MarkSetButtonClick(); break;
    default: break;
    }
}

void TChartForm::FormResize(WPARAM kind) {
    if (kind == SIZE_MAXIMIZED) {
        chart_.ShowBorder(false);
        toolPanel_.ShowBevel(true);
    } else if (kind == SIZE_RESTORED) {
        chart_.ShowBorder(true);
        toolPanel_.ShowBevel(false);
    }
}

LRESULT TChartForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
            const int id = LOWORD(wParam);
            if (id == kNewItemCommand || id == kChartSizeCommand || id == kMarkFocusCommand ||
                id == ID_ITEM_DELETE || id == ID_ITEM_MARK) {
                RunCommand(id);
                return 0;
            }
        }
        break;
    case WM_SIZE: FormResize(wParam); break;
    case WM_MOUSEWHEEL: return SendMessageW(chart_.Handle(), message, wParam, lParam);
    case WM_SETFOCUS: SetFocus(chart_.Handle()); return 0;
    default: break;
    }
    return MdiChild::HandleMessage(message, wParam, lParam);
}

void TChartForm::LayoutChildren(int width, int height) {
    toolPanel_.SetBounds(0, 0, width, kToolPanelHeight);
    chart_.SetBounds(0, kToolPanelHeight, width, std::max(height - kToolPanelHeight, 0));
}

} // namespace miravo
