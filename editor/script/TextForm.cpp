#include "editor/script/TextForm.h"

#include "editor/script/PropertyForm.h"
#include "editor/script/SearchForms.h"
#include "editor/script/TextFormIds.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/widgets/WideText.h"
#include "novel/CommandParser.h"
#include "novel/NovelData.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>

// The item text editor window: layout, loading and storing, the decorated editor.
namespace miravo {

namespace {
constexpr int kNameEditId = 101;
constexpr int kEditorId = 102;
constexpr int kNameEditLeft = 96;
constexpr int kStatusWidth = 120; // the input mode (40) and the caret position (80)
constexpr int kMaxWrapColumns = 250;
constexpr int kMinWrapColumns = 40;
} // namespace

TTextForm::TTextForm() = default;
TTextForm::~TTextForm() = default;

void TTextForm::Create(EditorSession& session, HWND mdiClient, HFONT font) {
    session_ = &session;
    font_ = font;
    LOGFONTW bold{};
    GetObjectW(font, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    boldFont_.Reset(CreateFontIndirectW(&bold));
    // The menus exist before the window: creating it activates it, which merges the edit menu.
    CreateMenus();
    CreateChild({.className = L"MiravoTextForm", .caption = L"", .mdiClient = mdiClient});
    // The link panel's background first, so that its controls lie above it.
    linkPanel_.Create({.parent = Handle(), .style = SS_ETCHEDFRAME | WS_CLIPSIBLINGS});
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
    CreateEditToolBar(font);
    editor_.Create({.parent = Handle(),
                    .id = kEditorId,
                    .events = {.caretMoved = [this] { UpdateEditState(); },
                               .textChanged =
                                   [this] {
                                       EditorChange();
                                       UpdateEditState();
                                   },
                               .keyDown =
                                   [this](UINT key) {
                                       return EditorKeyDown(key, GetKeyState(VK_SHIFT) < 0,
                                                            GetKeyState(VK_CONTROL) < 0,
                                                            GetKeyState(VK_MENU) < 0);
                                   },
                               .rowDrawn = [this](HDC dc,
                                                  const ScriptRow& row) { DecorateRow(dc, row); }}});
    CreateLinkPanel(font);
    searchDialog_ = std::make_unique<TFormSearch>(session.Ui());
    replaceDialog_ = std::make_unique<TFormReplace>(session.Ui());
    linkDialog_ = std::make_unique<TPropertyForm>(session);
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    view_ = session.Views().Add<ICurrentItemView>(*this);
    lineView_ = session.Views().Add<IScriptLineView>(*this);
    linkListView_ = session.Views().Add<ILinkListView>(*this);
    RegisterCommands();
    UpdateEditState();
}

void TTextForm::CreateEditToolBar(HFONT font) {
    const int top = kNamePanelHeight + 1;
    commandButton_.Create({.parent = Handle(),
                           .id = 0,
                           .x = 2,
                           .y = top,
                           .width = 84,
                           .height = 23,
                           .text = L"コマンド入力",
                           .style = BS_PUSHBUTTON,
                           .font = font,
                           .hint = L"コマンドを入力|スクリプトにコマンドを入力します"});
    struct EditButton {
        Button& button;
        int command;
        const wchar_t* caption;
        const wchar_t* hint;
    };
    const EditButton buttons[] = {
        {cutButton_, ID_EDIT_CUT, L"切取", L"切り取り"},
        {copyButton_, ID_EDIT_COPY, L"コピー", L"コピー"},
        {pasteButton_, ID_EDIT_PASTE, L"貼付", L"貼り付け"},
        {undoButton_, ID_EDIT_UNDO, L"元に戻す", L"元に戻す"},
        {redoButton_, ID_EDIT_REDO, L"やり直し", L"やり直し"},
    };
    int x = 90;
    for (const EditButton& entry : buttons) {
        const int width = entry.command >= ID_EDIT_CUT && entry.command <= ID_EDIT_PASTE ? 44 : 60;
        entry.button.Create({.parent = Handle(),
                            .id = entry.command,
                            .x = x,
                            .y = top,
                            .width = width,
                            .height = 23,
                            .text = entry.caption,
                            .font = font,
                            .hint = entry.hint});
        x += width + 2;
    }
    status_.Create({.parent = Handle(),
                    .style = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                    .font = font});
    status_.SetPanels({40, kStatusWidth});
    status_.SetPanelText(0, L"\t挿入");
}

void TTextForm::ChangeText() {
    loaded_ = false;
    const std::optional<ShownItem> item = session_->ItemText().Load();
    if (!item) {
        editor_.SetText("");
        nameEdit_.SetText(L"");
        SetText(L"");
        RefreshLinks(true);
        UpdateEditState();
        return;
    }
    const CNovelItem& current = session_->Model().Items[session_->State().currentItem];
    // The control holds Shift-JIS, as the model does: the text goes in unconverted.
    editor_.SetText(current.Text.Joined());
    editor_.SetCaret(0, 0);
    editor_.SetTopRow(0);
    editor_.ClearModified();
    UpdateEditState();
    const std::wstring name = ToWide(item->name);
    SetText(name);
    nameEdit_.SetText(name);
    RefreshLinks(true);
    SendMessageW(linkTypeCombo_.Handle(), CB_SETCURSEL, current.LinkType, 0);
    loaded_ = true;
}

void TTextForm::StoreToItem() {
    if (!session_->ItemText().HasCurrentItem()) {
        return;
    }
    CNovelItem& item = session_->Model().Items[session_->State().currentItem];
    item.Text = CTextLines::Split(editor_.Text());
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        item.Links[static_cast<std::size_t>(slot)].Enabled = LinkRowChecked(slot);
    }
    const auto type = SendMessageW(linkTypeCombo_.Handle(), CB_GETCURSEL, 0, 0);
    if (type >= 0) {
        item.LinkType = static_cast<std::uint8_t>(type);
    }
}

void TTextForm::NameEditChange() {
    if (!loaded_ || !session_->ItemText().HasCurrentItem()) {
        return;
    }
    const std::wstring name = nameEdit_.Text();
    SetText(name);
    session_->ItemText().Rename(UiTextOf(name));
}

void TTextForm::EditorChange() {
    if (loaded_ && editor_.Modified()) {
        session_->ItemText().TextEdited();
    }
}

void TTextForm::UpdateEditState() {
    if (editor_.EditorHandle() == nullptr) {
        return;
    }
    wchar_t position[40];
    std::swprintf(position, std::size(position), L"\t\t%d/%d 行",
                  editor_.RowToLine(editor_.CaretRow()) + 1, editor_.LineCount() + 1);
    status_.SetPanelText(1, position);
    status_.SetPanelText(0, editor_.Overwrite() ? L"\t上書" : L"\t挿入");
    undoButton_.Enable(editor_.CanUndo());
    redoButton_.Enable(editor_.CanRedo());
    EnableMenuItem(editMenu_.Get(), ID_EDIT_UNDO, editor_.CanUndo() ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(editMenu_.Get(), ID_EDIT_REDO, editor_.CanRedo() ? MF_ENABLED : MF_GRAYED);
}

void TTextForm::UpdateWrap() {
    // The control's client area lies inside its vertical scroll bar; 8 pixels are its margin.
    RECT client{};
    GetClientRect(editor_.EditorHandle(), &client);
    const int columns = std::max<int>((client.right - 8) / editor_.ColumnWidth(), 0);
    if (columns >= kMinWrapColumns) {
        editor_.SetWrapColumns(std::min(columns, kMaxWrapColumns), false);
    } else {
        editor_.SetWrapColumns(kMinWrapColumns, true);
    }
}

// A known command line is drawn over: a rounded blue box, the command word in doubled yellow
// and its arguments in white, each with a black shadow. Rows that continue a wrapped line are
// left as the control drew them.
void TTextForm::DecorateRow(HDC dc, const ScriptRow& row) const {
    if (!row.startsLine || row.text.empty() || row.text.front() != '.' ||
        !IsKnownCommand(row.text)) {
        return;
    }
    const HFONT font = editor_.Font();
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = WidenShiftJis(row.text);
    SIZE whole{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
    const int x = row.rect.left;
    const int y = row.rect.top;
    const int bottom = row.rect.bottom;
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    RoundRect(dc, x - 3, y + 1, x + whole.cx + 8 + 1, bottom + 1, 16, 16);
    BrushHandle box(CreateSolidBrush(RGB(96, 96, 255)));
    SelectObject(dc, box.Get());
    RoundRect(dc, x - 4, y, x + whole.cx + 8, bottom, 16, 16);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);

    const std::size_t blank = text.find(L' ');
    const std::wstring word = blank == std::wstring::npos ? text : text.substr(0, blank + 1);
    SIZE wordSize{};
    GetTextExtentPoint32W(dc, word.c_str(), static_cast<int>(word.size()), &wordSize);
    const RECT wordClip{x - 1, y - 1, x + 1 + wordSize.cx, bottom};
    const auto drawWord = [&](int dx, int dy, COLORREF colour) {
        SetTextColor(dc, colour);
        ExtTextOutW(dc, x + dx, y + dy, ETO_CLIPPED, &wordClip, word.c_str(),
                    static_cast<UINT>(word.size()), nullptr);
    };
    drawWord(-1, -1, RGB(0, 0, 0));
    drawWord(0, -1, RGB(0, 0, 0));
    drawWord(0, 0, RGB(255, 255, 0));
    drawWord(1, 0, RGB(255, 255, 0));
    if (blank != std::wstring::npos && blank + 1 < text.size()) {
        const std::wstring rest = text.substr(blank + 1);
        const int restX = x + wordSize.cx;
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutW(dc, restX - 1, y - 1, rest.c_str(), static_cast<int>(rest.size()));
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutW(dc, restX, y, rest.c_str(), static_cast<int>(rest.size()));
    }
    SelectObject(dc, oldFont);
}

TMainForm* TTextForm::MainForm() const {
    return dynamic_cast<TMainForm*>(Window::FromHandle(GetAncestor(Handle(), GA_ROOT)));
}

LRESULT TTextForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {kMinWidth, kMinHeight};
        return MdiChild::HandleMessage(message, wParam, lParam);
    }
    case WM_SHOWWINDOW:
        if (wParam != FALSE) {
            editor_.Focus();
        }
        break;
    case WM_MDIACTIVATE:
        if (TMainForm* main = MainForm(); main != nullptr && editMenu_.Get() != nullptr) {
            if (reinterpret_cast<HWND>(lParam) == Handle()) {
                main->MergeMenu(editMenu_.Get(), L"編集(&E)");
            } else {
                main->UnmergeMenu(editMenu_.Get());
            }
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        const HWND from = reinterpret_cast<HWND>(lParam);
        if (code == EN_CHANGE && id == kNameEditId) {
            NameEditChange();
            return 0;
        }
        if (from == commandButton_.Handle() && code == BN_CLICKED) {
            ShowCommandMenu();
            return 0;
        }
        if (from == linkEditButton_.Handle() && code == BN_CLICKED) {
            EditLinkClick();
            return 0;
        }
        if (from == linkUpButton_.Handle() && code == BN_CLICKED) {
            MoveLink(-1);
            return 0;
        }
        if (from == linkDownButton_.Handle() && code == BN_CLICKED) {
            MoveLink(+1);
            return 0;
        }
        if (from == linkList_.Handle()) {
            LinkListCommand(static_cast<WORD>(code));
            return 0;
        }
        if (from == linkTypeCombo_.Handle()) {
            if (code == CBN_SELCHANGE) {
                SetLinkType(static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0)));
            }
            return 0;
        }
        if ((from == nullptr || code == BN_CLICKED) && RunCommand(id)) {
            return 0;
        }
        break;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == editor_.EditorHandle() ||
            reinterpret_cast<HWND>(wParam) == editor_.Handle()) {
            ShowContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        break;
    case WM_SETCURSOR: {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(Handle(), &point);
        const RECT link = linkPanel_.Bounds();
        if (reinterpret_cast<HWND>(wParam) == Handle() && point.y >= link.top - kSplitterHeight &&
            point.y < link.top) {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZENS)));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        const RECT link = linkPanel_.Bounds();
        const int y = GET_Y_LPARAM(lParam);
        if (y >= link.top - kSplitterHeight && y < link.top) {
            splitting_ = true;
            splitOffset_ = y - link.top;
            SetCapture(Handle());
            return 0;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (splitting_) {
            const RECT client = ClientRect();
            const int editorTop = kNamePanelHeight + kEditToolBarHeight;
            const int top = std::clamp(GET_Y_LPARAM(lParam) - splitOffset_,
                                       editorTop + kSplitterHeight + 20,
                                       static_cast<int>(client.bottom) - kLinkToolBarHeight);
            linkPanel_.SetBounds(0, top, client.right, client.bottom - top);
            LayoutChildren(client.right, client.bottom);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (splitting_) {
            splitting_ = false;
            if (message == WM_LBUTTONUP) {
                ReleaseCapture();
            }
            return 0;
        }
        break;
    default: break;
    }
    return MdiChild::HandleMessage(message, wParam, lParam);
}

void TTextForm::LayoutChildren(int width, int height) {
    nameEdit_.SetBounds(kNameEditLeft, 4, std::max(width - kNameEditLeft - 2, 0), 21);
    status_.SetBounds(std::max(width - kStatusWidth - 2, 0), kNamePanelHeight + 2, kStatusWidth,
                      22);
    const int editorTop = kNamePanelHeight + kEditToolBarHeight;
    // The link panel keeps the height it was given (the layout reset and restore set it).
    const RECT link = linkPanel_.Bounds();
    const int linkHeight = link.bottom > link.top ? link.bottom - link.top : kLinkPanelHeight;
    const int linkTop = std::max(height - linkHeight, editorTop);
    editor_.SetBounds(0, editorTop, width, std::max(linkTop - kSplitterHeight - editorTop, 0));
    linkPanel_.SetBounds(0, linkTop, width, height - linkTop);
    // The link panel's tool bar, then the list below it.
    const int barTop = linkTop + 2;
    linkCaption_.SetBounds(4, barTop + 4, 64, 16);
    linkEditButton_.SetBounds(70, barTop, 44, 21);
    linkUpButton_.SetBounds(116, barTop, 24, 21);
    linkDownButton_.SetBounds(142, barTop, 24, 21);
    linkTypeCaption_.SetBounds(172, barTop + 4, 70, 16);
    linkTypeCombo_.SetBounds(244, barTop, std::max(width - 248, 100), 200);
    const int listTop = linkTop + kLinkToolBarHeight;
    linkList_.SetBounds(2, listTop, std::max(width - 4, 0), std::max(height - listTop - 2, 0));
    if (editor_.EditorHandle() != nullptr) {
        UpdateWrap();
    }
}

} // namespace miravo
