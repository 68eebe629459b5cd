#include "editor/script/TextForm.h"

#include "editor/shell/EditorSession.h"
#include "editor/widgets/WideText.h"

#include <algorithm>

namespace miravo {

namespace {
constexpr int kNameEditId = 101;
constexpr int kEditorId = 102;
constexpr int kNameEditLeft = 96;
} // namespace

void TTextForm::Create(EditorSession& session, HWND mdiClient, HFONT font) {
    session_ = &session;
    CreateChild({.className = L"MiravoTextForm", .caption = L"", .mdiClient = mdiClient});
    nameLabel_.Create({.parent = Handle(),
                       .x = 6,
                       .y = 7,
                       .width = 88,
                       .height = 16,
                       .text = L"アイテム名(&N):",
                       .font = font});
    nameEdit_.Create({.parent = Handle(),
                      .id = kNameEditId,
                      .x = kNameEditLeft,
                      .y = 4,
                      .width = 200,
                      .height = 21,
                      .style = ES_AUTOHSCROLL,
                      .font = font});
    editToolBar_.Create({.parent = Handle(), .style = SS_ETCHEDHORZ});
    // The script editing control of its own comes with the script editor; until then a plain
    // multi-line edit holds the text.
    editor_.Create({.parent = Handle(),
                    .id = kEditorId,
                    .style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL,
                    .font = font});
    linkPanel_.Create(
        {.parent = Handle(), .text = L" リンク一覧 :", .style = SS_SUNKEN, .font = font});
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    view_ = session.Views().Add<ICurrentItemView>(*this);
}

void TTextForm::ChangeText() {
    loaded_ = false;
    const std::optional<ShownItem> item = session_->ItemText().Load();
    if (!item) {
        editor_.SetText(L"");
        nameEdit_.SetText(L"");
        SetText(L"");
        return;
    }
    editor_.SetText(ToWide(item->text));
    SendMessageW(editor_.Handle(), EM_SETSEL, 0, 0);
    SendMessageW(editor_.Handle(), EM_SCROLLCARET, 0, 0);
    SendMessageW(editor_.Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(editor_.Handle(), EM_SETMODIFY, FALSE, 0);
    const std::wstring name = ToWide(item->name);
    SetText(name);
    nameEdit_.SetText(name);
    loaded_ = true;
}

void TTextForm::StoreToItem() { session_->ItemText().StoreText(UiTextOf(editor_.Text())); }

void TTextForm::NameEditChange() {
    if (!loaded_ || !session_->ItemText().HasCurrentItem()) {
        return;
    }
    const std::wstring name = nameEdit_.Text();
    SetText(name);
    session_->ItemText().Rename(UiTextOf(name));
}

void TTextForm::EditorChange() {
    if (loaded_ && SendMessageW(editor_.Handle(), EM_GETMODIFY, 0, 0)) {
        session_->ItemText().TextEdited();
    }
}

LRESULT TTextForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {kMinWidth, kMinHeight};
        return MdiChild::HandleMessage(message, wParam, lParam);
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kNameEditId) {
            NameEditChange();
            return 0;
        }
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kEditorId) {
            EditorChange();
            return 0;
        }
        break;
    default: break;
    }
    return MdiChild::HandleMessage(message, wParam, lParam);
}

void TTextForm::LayoutChildren(int width, int height) {
    nameEdit_.SetBounds(kNameEditLeft, 4, std::max(width - kNameEditLeft - 2, 0), 21);
    editToolBar_.SetBounds(0, kNamePanelHeight, width, 2);
    const int editorTop = kNamePanelHeight + kEditToolBarHeight;
    // The link panel keeps the height it was given (the layout reset and restore set it).
    const RECT link = linkPanel_.Bounds();
    const int linkHeight = link.bottom > link.top ? link.bottom - link.top : kLinkPanelHeight;
    const int linkTop = std::max(height - linkHeight, editorTop);
    editor_.SetBounds(0, editorTop, width, std::max(linkTop - kSplitterHeight - editorTop, 0));
    linkPanel_.SetBounds(0, linkTop, width, height - linkTop);
}

} // namespace miravo
