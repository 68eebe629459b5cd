#include "editor/script/ScriptLineEdits.h"
#include "editor/script/TextForm.h"
#include "editor/script/TextFormIds.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/UserInteraction.h"

#include <algorithm>

// The item text editor's commands: the command menu, the edit and context menus, the keys it
// takes before the control, and CommandOut.
namespace miravo {

namespace {

// The script editing control as the line model of the insertions.
class EditorLines : public IScriptLines {
public:
    explicit EditorLines(ScriptEditControl& editor) : editor_(editor) {}
    int Count() const override { return editor_.LineCount(); }
    std::string Get(int index) const override { return editor_.Line(index); }
    void Put(int index, std::string_view text) override { editor_.PutLine(index, text); }
    void Insert(int index, std::string_view text) override { editor_.InsertLine(index, text); }

private:
    ScriptEditControl& editor_;
};

// An entry of the command menu: a fixed line, a dialog, or a sub-menu's items up to its end.
struct MenuEntry {
    const wchar_t* caption;
    int id; // 0: separator; -1: sub-menu start; -2: sub-menu end
};

int DialogId(CommandDialog dialog) { return ID_COMMAND_DIALOG + static_cast<int>(dialog); }

const MenuEntry kCommandMenu[] = {
    {L"クリックを待つ(&J)    Ctrl+Enter", ID_COMMAND_CLICK_WAIT},
    {L"改ページ(&P)          Shift+Ctrl+Enter", ID_COMMAND_NEXT_PAGE},
    {L"時間待ち(&W)...", DialogId(CommandDialog::Wait)},
    {nullptr, 0},
    {L"グラフィック読込(&G)...", DialogId(CommandDialog::GraphLoad)},
    {L"グラフィック塗りつぶし(&B)...", DialogId(CommandDialog::GraphFill)},
    {nullptr, 0},
    {L"キャラクター表示(&D)...", DialogId(CommandDialog::CharSet)},
    {L"キャラクターを消す(&R)...", DialogId(CommandDialog::CharDelete)},
    {L"キャラクターをすべて消す(&A)", ID_COMMAND_CHAR_CLEAR},
    {nullptr, 0},
    {L"ウィンドウ表示(&I)...", DialogId(CommandDialog::WindowSet)},
    {L"ウィンドウを消す(&H)", ID_COMMAND_WINDOW_HIDE},
    {nullptr, 0},
    {L"リンクウィンドウを変更(&L)...", DialogId(CommandDialog::LinkWindowSet)},
    {L"リンクウィンドウを標準に戻す(&N)", ID_COMMAND_LINK_WINDOW_DEFAULT},
    {nullptr, 0},
    {L"BGM再生(&M)...", DialogId(CommandDialog::BGMPlay)},
    {L"BGMストップ(&Z)", ID_COMMAND_BGM_STOP},
    {L"BGMフェードアウト(&O)...", DialogId(CommandDialog::BGMFadeout)},
    {nullptr, 0},
    {L"効果音再生(&S)...", DialogId(CommandDialog::SoundPlay)},
    {L"効果音ストップ(&X)", ID_COMMAND_SOUND_STOP},
    {nullptr, 0},
    {L"MIDI(&Y)", -1},
    {L"MIDI再生(&Y)...", DialogId(CommandDialog::MidiPlay)},
    {L"MIDIストップ(&U)", ID_COMMAND_MIDI_STOP},
    {L"MIDIフェードアウト(&O)...", DialogId(CommandDialog::MidiFadeout)},
    {nullptr, -2},
    {nullptr, 0},
    {L"カウンタ(&C)", -1},
    {L"セットする(&S)...", DialogId(CommandDialog::CounterSet)},
    {L"増減させる(&I)...", DialogId(CommandDialog::CounterPlus)},
    {L"ランダムにセット(&R)...", DialogId(CommandDialog::CounterRndSet)},
    {L"ランダムに増減(&L)...", DialogId(CommandDialog::CounterRndPlus)},
    {nullptr, -2},
    {nullptr, 0},
    {L"フォント(&F)", -1},
    {L"フォントの変更(&F)...", DialogId(CommandDialog::Font)},
    {L"標準に戻す(&D)", ID_COMMAND_FONT_DEFAULT},
    {nullptr, -2},
};

HMENU BuildMenu(const MenuEntry* entries, std::size_t count) {
    const HMENU root = CreatePopupMenu();
    HMENU current = root;
    HMENU sub = nullptr;
    const wchar_t* subCaption = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const MenuEntry& entry = entries[i];
        if (entry.id == -1) {
            sub = CreatePopupMenu();
            subCaption = entry.caption;
            current = sub;
        } else if (entry.id == -2) {
            AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), subCaption);
            current = root;
        } else if (entry.id == 0) {
            AppendMenuW(current, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(current, MF_STRING, static_cast<UINT_PTR>(entry.id), entry.caption);
        }
    }
    return root;
}

const MenuEntry kEditMenu[] = {
    {L"元に戻す(&U)\tCtrl+Z", ID_EDIT_UNDO},
    {L"やり直し(&R)\tShift+Ctrl+Z", ID_EDIT_REDO},
    {nullptr, 0},
    {L"切り取り(&X)\tCtrl+X", ID_EDIT_CUT},
    {L"コピー(&C)\tCtrl+C", ID_EDIT_COPY},
    {L"張り付け(&V)\tCtrl+V", ID_EDIT_PASTE},
    {L"全て選択(&A)\tCtrl+A", ID_EDIT_SELECT_ALL},
    {nullptr, 0},
    {L"検索(&F)...\tCtrl+F", ID_EDIT_FIND},
    {L"置換(&R)...\tCtrl+H", ID_EDIT_REPLACE},
    {L"次を検索(&F)\tF3", ID_EDIT_FIND_NEXT},
    {L"前を検索(&P)\tShift+F3", ID_EDIT_FIND_PREVIOUS},
};

const MenuEntry kContextMenu[] = {
    {L"切り取り(&X)\tCtrl+X", ID_EDIT_CUT},
    {L"コピー(&C)\tCtrl+C", ID_EDIT_COPY},
    {L"貼り付け(&V)\tCtrl+V", ID_EDIT_PASTE},
    {L"全て選択(&A)\tCtrl+A", ID_EDIT_SELECT_ALL},
    {nullptr, 0},
    {L"元に戻す(&U)\tCtrl+Z", ID_EDIT_UNDO},
    {L"やり直し(&R)\tShift+Ctrl+Z", ID_EDIT_REDO},
    {nullptr, 0},
    {L"検索(&F)...\tCtrl+F", ID_EDIT_FIND},
    {L"置換(&H)...\tCtrl+H", ID_EDIT_REPLACE},
    {L"次を検索(&N)\tF3", ID_EDIT_FIND_NEXT},
    {L"前を検索(&P)\tShift+F3", ID_EDIT_FIND_PREVIOUS},
};

} // namespace

void TTextForm::CreateMenus() {
    commandMenu_.Reset(BuildMenu(kCommandMenu, std::size(kCommandMenu)));
    editMenu_.Reset(BuildMenu(kEditMenu, std::size(kEditMenu)));
    contextMenu_.Reset(BuildMenu(kContextMenu, std::size(kContextMenu)));
}

// The edit commands join the main window's command table, so that its update pass enables the
// merged menu's entries; Undo and Redo exactly when the control can.
void TTextForm::RegisterCommands() {
    TMainForm* main = MainForm();
    if (main == nullptr) {
        return;
    }
    CommandTable& commands = main->Commands();
    for (int id = ID_EDIT_UNDO; id <= ID_EDIT_FIND_PREVIOUS; ++id) {
        CommandTable::Predicate enabled;
        if (id == ID_EDIT_UNDO) {
            enabled = [this] { return editor_.CanUndo(); };
        } else if (id == ID_EDIT_REDO) {
            enabled = [this] { return editor_.CanRedo(); };
        }
        commands.Add(id, [this, id] { RunCommand(id); }, enabled);
    }
}

bool TTextForm::RunCommand(int id) {
    const auto fixedLine = [&](const char* line) {
        CommandOut(line);
        return true;
    };
    switch (id) {
    case ID_EDIT_UNDO: editor_.Undo(); break;
    case ID_EDIT_REDO: editor_.Redo(); break;
    case ID_EDIT_CUT:
        editor_.Cut();
        EditorChange();
        break;
    case ID_EDIT_COPY: editor_.Copy(); break;
    case ID_EDIT_PASTE:
        editor_.Paste();
        EditorChange();
        break;
    case ID_EDIT_SELECT_ALL: editor_.SelectAll(); break;
    case ID_EDIT_FIND: FindClick(); break;
    case ID_EDIT_REPLACE: ReplaceClick(); break;
    case ID_EDIT_FIND_NEXT: FindNext(true); break;
    case ID_EDIT_FIND_PREVIOUS: FindNext(false); break;
    case ID_COMMAND_CLICK_WAIT: InsertClickWaitAtCaret(); break;
    case ID_COMMAND_NEXT_PAGE: return fixedLine(".NextPage");
    case ID_COMMAND_CHAR_CLEAR: return fixedLine(".CharClear");
    case ID_COMMAND_WINDOW_HIDE: return fixedLine(".WindowHide");
    case ID_COMMAND_LINK_WINDOW_DEFAULT: return fixedLine(".LinkWindowDefault");
    case ID_COMMAND_BGM_STOP: return fixedLine(".BGMStop");
    case ID_COMMAND_SOUND_STOP: return fixedLine(".SoundStop");
    case ID_COMMAND_MIDI_STOP: return fixedLine(".MidiStop");
    case ID_COMMAND_FONT_DEFAULT: return fixedLine(".FontDefault");
    default:
        if (id >= ID_COMMAND_DIALOG &&
            id <= ID_COMMAND_DIALOG + static_cast<int>(CommandDialog::CounterRndPlus)) {
            OpenCommandDialog(static_cast<CommandDialog>(id - ID_COMMAND_DIALOG));
            return true;
        }
        return false;
    }
    UpdateEditState();
    return true;
}

bool TTextForm::EditorKeyDown(UINT key, bool shift, bool control, bool alt) {
    if (key == VK_RETURN && control && !alt) {
        RunCommand(shift ? ID_COMMAND_NEXT_PAGE : ID_COMMAND_CLICK_WAIT);
        return true;
    }
    if (key == VK_RETURN && alt && !control && !shift) {
        ShowCommandMenu();
        return true;
    }
    if (key == VK_INSERT && !shift && !control && !alt) {
        editor_.SetOverwrite(!editor_.Overwrite());
        UpdateEditState();
        return true;
    }
    if (key == VK_TAB && !control && !alt) {
        if (const HWND next = GetNextDlgTabItem(Handle(), editor_.Handle(), shift)) {
            SetFocus(next);
        }
        return true;
    }
    if (control && !alt && !shift && (key == 'F' || key == 'H')) {
        RunCommand(key == 'F' ? ID_EDIT_FIND : ID_EDIT_REPLACE);
        return true;
    }
    if (key == VK_F3 && !control && !alt) {
        RunCommand(shift ? ID_EDIT_FIND_PREVIOUS : ID_EDIT_FIND_NEXT);
        return true;
    }
    return false;
}

void TTextForm::ShowCommandMenu() {
    RECT button{};
    GetWindowRect(commandButton_.Handle(), &button);
    SendMessageW(commandButton_.Handle(), BM_SETSTATE, TRUE, 0);
    const int id = TrackPopupMenu(commandMenu_.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                  button.left, button.bottom, 0, Handle(), nullptr);
    SendMessageW(commandButton_.Handle(), BM_SETSTATE, FALSE, 0);
    if (id != 0) {
        RunCommand(id);
    }
    editor_.Focus();
}

void TTextForm::ShowContextMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) { // from the keyboard: at the caret
        screen = editor_.CaretPoint();
        ClientToScreen(editor_.Handle(), &screen);
    }
    const HMENU menu = contextMenu_.Get();
    EnableMenuItem(menu, ID_EDIT_UNDO, editor_.CanUndo() ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, ID_EDIT_REDO, editor_.CanRedo() ? MF_ENABLED : MF_GRAYED);
    const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                  Handle(), nullptr);
    if (id != 0) {
        RunCommand(id);
    }
}

void TTextForm::MoveCaretToLine(int line) {
    editor_.SetCaret(editor_.LineToRow(line), 0);
}

void TTextForm::ShowScriptLine(int line) {
    MoveCaretToLine(std::clamp(line - 1, 0, std::max(0, editor_.LineCount() - 1)));
    SendMessageW(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    editor_.Focus();
}

void TTextForm::CommandOut(std::string_view line) {
    const int row = editor_.CaretRow();
    EditorLines lines(editor_);
    editor_.BeginUndoStep();
    const int caretLine =
        InsertCommandLine(lines, editor_.RowToLine(row), editor_.CaretColumn() == 0, line);
    editor_.EndUndoStep();
    MoveCaretToLine(caretLine);
    UpdateEditState();
}

void TTextForm::InsertClickWaitAtCaret() {
    const int row = editor_.CaretRow();
    const int line = editor_.RowToLine(row);
    const int offset = editor_.RowColumnToOffset(row, editor_.CaretColumn());
    EditorLines lines(editor_);
    editor_.BeginUndoStep();
    const int caretLine = InsertClickWait(lines, line, offset);
    editor_.EndUndoStep();
    MoveCaretToLine(caretLine);
    UpdateEditState();
}

void TTextForm::OpenCommandDialog(CommandDialog dialog) {
    if (NeedsSavedNovel(dialog) && !session_->State().hasFileName) {
        session_->Ui().ShowMessage(
            {.text = "このコマンドを入力するには、\r\nデータを一度保存してください。",
             .caption = "エラー",
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Error});
        return;
    }
    // The command dialogs register their opener once they exist; until then the entries are
    // present and do nothing.
    if (auto* dialogs = session_->Views().First<ICommandDialogs>()) {
        dialogs->OpenCommandDialog(dialog, *this);
    }
}

} // namespace miravo
