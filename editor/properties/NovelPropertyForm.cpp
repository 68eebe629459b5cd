#include "editor/properties/NovelPropertyForm.h"

#include "editor/properties/NovelPropertyResource.h"
#include "editor/script/CommandDialogSet.h"
#include "editor/script/DialogControls.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/RasterPaint.h"
#include "editor/widgets/WideText.h"
#include "editor/widgets/Window.h"
#include "picture/PictureReaders.h"

#include <commctrl.h>

#include <system_error>

namespace miravo {

namespace {

// ----- Layout, in pixels of the dialog's client area ---------------------------------------------
constexpr int kClientWidth = 584;
constexpr int kClientHeight = 396;
constexpr int kTreeLeft = 8, kTreeTop = 26, kTreeWidth = 152, kTreeHeight = 322;
constexpr int kPageLeft = 172, kPageTop = 42, kPageWidth = 400;

enum class Kind { Label, Edit, Combo, Push, RadioFirst, Radio, Check, Numeral, Color, Preview };
enum Flags : unsigned { kVisible = 0, kHidden = 1, kDisabled = 2 };

// One control of a page. The order is the tab and accelerator order: a label with an
// accelerator stands just before the control it leads to. Positions are relative to the page.
struct Entry {
    int page;
    Kind kind;
    int id;
    int x, y, width, height;
    const wchar_t* text = L"";
    unsigned flags = kVisible;
    const wchar_t* hint = nullptr;
};

constexpr int kLine = 18;  // a label
constexpr int kField = 22; // an edit or a numeric field
constexpr int kButton = 24;

// clang-format off
const Entry kEntries[] = {
    // 全般の設定
    {0, Kind::Label, -1, 0, 4, 108, kLine, L"タイトル(&T):"},
    {0, Kind::Edit, IDC_TITLE_EDIT, 110, 0, 286, kField},
    {0, Kind::Label, -1, 0, 38, 108, kLine, L"開始アイテム(&I):"},
    {0, Kind::Combo, IDC_LINK_TO_COMBO, 110, 34, 286, 240},
    {0, Kind::Push, IDC_SET_START_TO_MARK, 110, 64, 220, kButton, L"マークしたアイテムに設定(&R)"},
    {0, Kind::Label, -1, 0, 110, 108, kLine, L"標準の文字速度:"},
    {0, Kind::Label, -1, 110, 110, 40, kLine, L"１文字"},
    {0, Kind::Label, -1, 232, 110, 80, kLine, L"ミリ秒(&M)"},
    {0, Kind::Numeral, IDC_MESSAGE_SPEED, 150, 106, 76, kField},
    {0, Kind::Label, -1, 0, 150, 200, kLine, L"標準のフェード効果:"},
    {0, Kind::Label, IDC_FADE_TYPE_LABEL, 16, 172, 200, kLine},
    {0, Kind::Label, IDC_FADE_VAR_LABEL, 16, 192, 200, kLine},
    {0, Kind::Label, IDC_FADE_SPEED_LABEL, 16, 212, 200, kLine},
    {0, Kind::Push, IDC_FADE_BUTTON, 230, 186, 90, kButton, L"変更(&C)"},
    // フォント
    {1, Kind::Label, -1, 0, 4, 200, kLine, L"標準のフォント:"},
    {1, Kind::RadioFirst, IDC_PROPERTY_FONT_GOTHIC, 16, 24, 120, 20, L"ゴシック(&G)"},
    {1, Kind::Radio, IDC_PROPERTY_FONT_MINCHO, 140, 24, 120, 20, L"明朝(&M)"},
    {1, Kind::Label, -1, 0, 58, 80, kLine, L"サイズ(&S):"},
    {1, Kind::Numeral, IDC_PROPERTY_FONT_SIZE, 80, 54, 70, kField},
    {1, Kind::Label, -1, 156, 58, 60, kLine, L"ドット"},
    {1, Kind::Check, IDC_FONT_AA_CHECK, 0, 88, 300, 20, L"輪郭をきれいに表示(&A)", kVisible,
     L"文字がよりきれいになりますが、表示速度が若干落ちます。"},
    {1, Kind::Label, -1, 0, 122, 200, kLine, L"文字色:"},
    {1, Kind::Label, -1, 16, 146, 62, kLine, L"標準 :"},
    {1, Kind::Color, IDC_NORMAL_COLOR, 80, 142, 44, kField},
    {1, Kind::Label, -1, 150, 146, 62, kLine, L"影と縁 :"},
    {1, Kind::Color, IDC_SHADOW_COLOR, 214, 142, 44, kField},
    {1, Kind::Label, -1, 16, 176, 62, kLine, L"選択中 :"},
    {1, Kind::Color, IDC_SELECT_COLOR, 80, 172, 44, kField},
    // The tip colour is kept as read: the player shows no tips any more.
    {1, Kind::Label, IDC_TIP_COLOR_LABEL, 150, 176, 62, kLine, L"TIP文字 :", kHidden},
    {1, Kind::Color, IDC_TIP_COLOR, 214, 172, 44, kField, L"", kHidden},
    {1, Kind::Label, -1, 0, 210, 200, kLine, L"スタイル:"},
    {1, Kind::RadioFirst, IDC_STYLE_BORDER, 16, 230, 120, 20, L"ふち付き(&E)"},
    {1, Kind::Radio, IDC_STYLE_SHADOW, 140, 230, 120, 20, L"影付き(&D)"},
    // キャラクター表示
    {2, Kind::Label, -1, 0, 4, 380, 34, L"キャラクター表示・消去時のフェード効果を\n指定できます。"},
    {2, Kind::Label, -1, 0, 56, 200, kLine, L"キャラクタのフェード効果:"},
    {2, Kind::Label, IDC_CHAR_FADE_TYPE_LABEL, 16, 78, 200, kLine},
    {2, Kind::Label, IDC_CHAR_FADE_VAR_LABEL, 16, 98, 200, kLine},
    {2, Kind::Label, IDC_CHAR_FADE_SPEED_LABEL, 16, 118, 200, kLine},
    {2, Kind::Push, IDC_CHAR_FADE_BUTTON, 230, 92, 90, kButton, L"変更(&C)"},
    // 画面モード
    {3, Kind::Label, -1, 0, 4, 200, kLine, L"標準の画面モード:"},
    {3, Kind::RadioFirst, IDC_DISP_FULL_RADIO, 16, 24, 200, 20, L"フルスクリーン(&F)"},
    {3, Kind::Radio, IDC_DISP_WINDOW_RADIO, 16, 48, 200, 20, L"ウインドウモード(&W)"},
    // ロゴ画面
    {4, Kind::Label, -1, 0, 4, 108, kLine, L"グラフィック(&G):"},
    {4, Kind::Edit, IDC_LOGO_GRAPHIC_EDIT, 110, 0, 226, kField},
    {4, Kind::Push, IDC_LOGO_GRAPH_SELECT, 340, 0, 56, kField, L"参照"},
    {4, Kind::Label, -1, 0, 34, 108, kLine, L"MIDI(&M):"},
    {4, Kind::Edit, IDC_LOGO_MIDI_EDIT, 110, 30, 226, kField},
    {4, Kind::Push, IDC_LOGO_MIDI_SELECT, 340, 30, 56, kField, L"参照"},
    {4, Kind::Label, -1, 0, 64, 108, kLine, L"Wave/Ogg(&W):"},
    {4, Kind::Edit, IDC_LOGO_WAVE_EDIT, 110, 60, 226, kField},
    {4, Kind::Push, IDC_LOGO_WAVE_SELECT, 340, 60, 56, kField, L"参照"},
    {4, Kind::Preview, IDC_LOGO_PREVIEW, 110, 98, TNovelPropertyForm::kPreviewWidth,
     TNovelPropertyForm::kPreviewHeight},
    // タイトル画面
    {5, Kind::Label, -1, 0, 4, 108, kLine, L"グラフィック(&G):"},
    {5, Kind::Edit, IDC_TITLE_GRAPHIC_EDIT, 110, 0, 226, kField},
    {5, Kind::Push, IDC_TITLE_GRAPH_SELECT, 340, 0, 56, kField, L"参照"},
    {5, Kind::Label, -1, 0, 34, 108, kLine, L"MIDI(&M):"},
    {5, Kind::Edit, IDC_TITLE_MIDI_EDIT, 110, 30, 226, kField},
    {5, Kind::Push, IDC_TITLE_MIDI_SELECT, 340, 30, 56, kField, L"参照"},
    {5, Kind::Label, -1, 0, 64, 108, kLine, L"Wave/Ogg(&W):"},
    {5, Kind::Edit, IDC_TITLE_WAVE_EDIT, 110, 60, 226, kField},
    {5, Kind::Push, IDC_TITLE_WAVE_SELECT, 340, 60, 56, kField, L"参照"},
    {5, Kind::Preview, IDC_TITLE_PREVIEW, 110, 98, TNovelPropertyForm::kPreviewWidth,
     TNovelPropertyForm::kPreviewHeight},
    // セーブシステム
    {6, Kind::Label, -1, 0, 4, 200, kLine, L"セーブの種類:"},
    {6, Kind::RadioFirst, IDC_SAVE_MANUAL_RADIO, 16, 24, 220, 20, L"手動セーブ (&M)"},
    {6, Kind::Radio, IDC_SAVE_NONE_RADIO, 16, 88, 220, 20, L"使用しない (&N)"},
    {6, Kind::Radio, IDC_SAVE_AUTO_RADIO, 16, 112, 220, 20, L"オートセーブ (&A)",
     kHidden | kDisabled},
    {6, Kind::Label, -1, 36, 46, 340, 34, L"「しおりをはさむ」を選択してセーブし\nます。"},
    {6, Kind::Label, IDC_SAVE_AUTO_NOTE, 36, 134, 340, 34,
     L"アイテムが切り替わるたびに、自動で\nセーブします。", kHidden},
    // MIDI
    {7, Kind::Label, -1, 0, 4, 300, kLine, L"再生する前に、MIDIを初期化する:"},
    {7, Kind::Check, IDC_MIDI_GM_CHECK, 16, 24, 220, 20, L"GM SYSTEM ON (&M)"},
    {7, Kind::Check, IDC_MIDI_GS_CHECK, 16, 46, 220, 20, L"GS RESET (&R)"},
    {7, Kind::Label, -1, 36, 70, 340, 34, L"曲に初期化メッセージが含まれていな\nい場合にチェックしてください。"},
    {7, Kind::Label, -1, 0, 114, 300, kLine, L"クイックスタート:"},
    {7, Kind::Check, IDC_MIDI_QUICK_CHECK, 16, 134, 260, 20, L"クイックスタートを使う(&Q)"},
    {7, Kind::Label, -1, 36, 158, 340, 34, L"曲の始まりの無音部分を高速再生し、\n音がすぐ鳴り始めます。"},
    {7, Kind::Label, -1, 0, 214, 240, 34, L"意味が分からない場合は、\n変更しないでください。"},
    {7, Kind::Push, IDC_MIDI_DEFAULT_BTN, 262, 216, 134, kButton, L"初期値に戻す(&D)"},
    // 早送り機能
    {8, Kind::Label, -1, 0, 4, 200, kLine, L"早送り機能:"},
    {8, Kind::RadioFirst, IDC_SKIP_MENULINK_RADIO, 16, 24, 260, 20, L"選択肢で停止(&L)"},
    {8, Kind::Radio, IDC_SKIP_ITEM_RADIO, 16, 48, 260, 20, L"アイテムの終わりで停止(&F)"},
    // 選択肢表示
    {9, Kind::Label, -1, 0, 4, 200, kLine, L"選択肢の番号表示:"},
    {9, Kind::RadioFirst, IDC_NUMBERING_NONE, 16, 24, 200, 20, L"なし(&D)"},
    {9, Kind::Radio, IDC_NUMBERING_NUMERIC, 16, 48, 200, 20, L"数字(&N)"},
    {9, Kind::Radio, IDC_NUMBERING_ALPHABET, 16, 72, 200, 20, L"アルファベット(&A)"},
};
// clang-format on

// The buttons of each radio group, in the group's order (PropertyGroup).
const std::vector<int> kGroupButtons[kPropertyGroupCount] = {
    {IDC_SAVE_MANUAL_RADIO, IDC_SAVE_NONE_RADIO, IDC_SAVE_AUTO_RADIO},
    {IDC_PROPERTY_FONT_GOTHIC, IDC_PROPERTY_FONT_MINCHO},
    {IDC_STYLE_BORDER, IDC_STYLE_SHADOW},
    {IDC_DISP_FULL_RADIO, IDC_DISP_WINDOW_RADIO},
    {IDC_SKIP_MENULINK_RADIO, IDC_SKIP_ITEM_RADIO},
    {IDC_NUMBERING_NONE, IDC_NUMBERING_NUMERIC, IDC_NUMBERING_ALPHABET},
};

// Text edits and the values' fields they show (Shift-JIS).
struct TextField {
    int id;
    std::string NovelPropertyValues::*field;
};
const TextField kTextEdits[] = {
    {IDC_TITLE_EDIT, &NovelPropertyValues::title},
    {IDC_LOGO_GRAPHIC_EDIT, &NovelPropertyValues::logoGraphic},
    {IDC_LOGO_MIDI_EDIT, &NovelPropertyValues::logoMidi},
    {IDC_LOGO_WAVE_EDIT, &NovelPropertyValues::logoWave},
    {IDC_TITLE_GRAPHIC_EDIT, &NovelPropertyValues::titleGraphic},
    {IDC_TITLE_MIDI_EDIT, &NovelPropertyValues::titleMidi},
    {IDC_TITLE_WAVE_EDIT, &NovelPropertyValues::titleWave},
};

struct CheckField {
    int id;
    bool NovelPropertyValues::*field;
};
const CheckField kChecks[] = {
    {IDC_FONT_AA_CHECK, &NovelPropertyValues::fontAntialias},
    {IDC_MIDI_GM_CHECK, &NovelPropertyValues::midiGMReset},
    {IDC_MIDI_GS_CHECK, &NovelPropertyValues::midiGSReset},
    {IDC_MIDI_QUICK_CHECK, &NovelPropertyValues::midiQuickStart},
};

constexpr int kPreviewIds[2] = {IDC_LOGO_PREVIEW, IDC_TITLE_PREVIEW};
constexpr int kGraphicEdits[2] = {IDC_LOGO_GRAPHIC_EDIT, IDC_TITLE_GRAPHIC_EDIT};

} // namespace

const std::array<const wchar_t*, TNovelPropertyForm::kPageCount>&
TNovelPropertyForm::PageCaptions() {
    static const std::array<const wchar_t*, kPageCount> captions{
        L"全般の設定", L"フォント",     L"キャラクター表示", L"画面モード",
        L"ロゴ画面",   L"タイトル画面", L"セーブシステム",   L"MIDI",
        L"早送り機能", L"選択肢表示"};
    return captions;
}

TNovelPropertyForm::TNovelPropertyForm(EditorSession& session,
                                       std::function<TCommandDialogs*()> dialogs)
    : Dialog(IDD_NOVEL_PROPERTY, session.Ui()), session_(session), dialogs_(std::move(dialogs)) {}

void TNovelPropertyForm::AttachTo(TMainForm& mainForm) {
    mainForm.Commands().SetAction(ID_NOVEL_PROPERTY, [this, &mainForm] {
        ShowModal(mainForm.Handle());
        mainForm.UpdateTitle();
    });
}

std::wstring TNovelPropertyForm::HintOf(int id) const {
    const auto found = hints_.find(id);
    return found == hints_.end() ? std::wstring() : found->second;
}

std::filesystem::path TNovelPropertyForm::NovelFolder() const {
    return session_.State().novelFolder;
}

// ----- Building ----------------------------------------------------------------------------------
void TNovelPropertyForm::OnInit() {
    loading_ = true;
    controls_.clear();
    hints_.clear();
    SetClientSize(Handle(), kClientWidth, kClientHeight);
    CreatePages();
    FillTree();
    const std::filesystem::path& file = session_.State().currentFilePath;
    SetWindowTextW(Handle(), (file.filename().wstring() + L" のプロパティ").c_str());

    const CNovelModel& model = session_.Model();
    std::vector<std::string> names;
    for (int i = 0; i < model.Items.Count(); ++i)
        names.push_back(model.Items[i].Name);
    ShowHeader(model.Header, std::move(names), values_);
    ShowValues();
    ShowPage(0);
    loading_ = false;
}

void TNovelPropertyForm::CreatePages() {
    const HWND d = Handle();
    AddDialogControl(d, L"STATIC", L"設定項目", IDC_PROPERTY_TREE_LABEL, 0, kTreeLeft, 8, 56,
                     kLine);
    AddDialogControl(d, L"STATIC", L"(&S)", -1, 0, kTreeLeft + 56, 8, 40, kLine);
    tree_ = AddDialogControl(d, WC_TREEVIEWW, L"", IDC_PROPERTY_TREE,
                             WS_TABSTOP | WS_GROUP | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP,
                             kTreeLeft, kTreeTop, kTreeWidth, kTreeHeight, WS_EX_CLIENTEDGE);
    AddDialogControl(d, L"STATIC", L"", IDC_PROPERTY_HEADING, 0, kPageLeft, 8, kPageWidth, kLine);
    AddDialogControl(d, L"STATIC", L"", -1, SS_ETCHEDHORZ, kPageLeft, 30, kPageWidth, 2);

    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0));
    for (const Entry& entry : kEntries) {
        const int x = kPageLeft + entry.x;
        const int y = kPageTop + entry.y;
        HWND control = nullptr;
        switch (entry.kind) {
        case Kind::Label:
            control = AddDialogControl(d, L"STATIC", entry.text, entry.id, WS_GROUP, x, y,
                                       entry.width, entry.height);
            break;
        case Kind::Edit:
            control =
                AddDialogControl(d, L"EDIT", L"", entry.id, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                                 x, y, entry.width, entry.height, WS_EX_CLIENTEDGE);
            break;
        case Kind::Combo:
            control = AddDialogControl(d, L"COMBOBOX", L"", entry.id,
                                       WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, x, y,
                                       entry.width, entry.height);
            break;
        case Kind::Push:
            control = AddDialogControl(d, L"BUTTON", entry.text, entry.id,
                                       WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, x, y, entry.width,
                                       entry.height);
            break;
        case Kind::RadioFirst:
        case Kind::Radio:
            control = AddDialogControl(
                d, L"BUTTON", entry.text, entry.id,
                BS_AUTORADIOBUTTON | (entry.kind == Kind::RadioFirst ? WS_GROUP | WS_TABSTOP : 0),
                x, y, entry.width, entry.height);
            break;
        case Kind::Check:
            control = AddDialogControl(d, L"BUTTON", entry.text, entry.id,
                                       WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, x, y, entry.width,
                                       entry.height);
            break;
        case Kind::Numeral: {
            TUDNumeralEdit& field = entry.id == IDC_MESSAGE_SPEED ? messageSpeed_ : fontSize_;
            const bool speed = entry.id == IDC_MESSAGE_SPEED;
            field.Create({.parent = d,
                          .id = entry.id,
                          .x = x,
                          .y = y,
                          .width = entry.width,
                          .height = entry.height,
                          .minimum = speed ? 1 : 12,
                          .maximum = speed ? kNumeralHighest : 200,
                          .value = speed ? 18 : 28,
                          .font = font});
            control = field.Handle();
            break;
        }
        case Kind::Color: {
            TCuteButton& swatch = entry.id == IDC_NORMAL_COLOR   ? normalColor_
                                  : entry.id == IDC_SHADOW_COLOR ? shadowColor_
                                  : entry.id == IDC_SELECT_COLOR ? selectColor_
                                                                 : tipColor_;
            swatch.Create({.parent = d,
                           .id = entry.id,
                           .x = x,
                           .y = y,
                           .width = entry.width,
                           .height = entry.height});
            control = swatch.Handle();
            break;
        }
        case Kind::Preview:
            control = AddDialogControl(d, L"STATIC", L"", entry.id, SS_OWNERDRAW, x, y, entry.width,
                                       entry.height);
            break;
        }
        if (entry.flags & kDisabled)
            EnableWindow(control, FALSE);
        controls_.push_back({entry.page, control, (entry.flags & kHidden) != 0});
        if (entry.hint)
            hints_[entry.id] = entry.hint;
    }

    // The hints show as tool tips over their controls.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, d,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    for (auto& [id, hint] : hints_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = d;
        tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
        tool.lpszText = hint.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // OK and Cancel close the tab order.
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                     kClientWidth - 180, kClientHeight - 36, 84, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP | WS_GROUP,
                     kClientWidth - 92, kClientHeight - 36, 84, 26);
}

void TNovelPropertyForm::FillTree() {
    nodes_.clear();
    for (const wchar_t* caption : PageCaptions()) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(caption);
        nodes_.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    }
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes_.front()));
}

void TNovelPropertyForm::SelectPage(int page) {
    if (page >= 0 && page < int(nodes_.size()))
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes_[page]));
}

void TNovelPropertyForm::ShowPage(int page) {
    activePage_ = page;
    for (const PageControl& control : controls_)
        ShowWindow(control.handle, control.page == page && !control.hidden ? SW_SHOW : SW_HIDE);
    SetItemText(IDC_PROPERTY_HEADING, PageCaptions()[page]);
}

// ----- Values and controls -----------------------------------------------------------------------
void TNovelPropertyForm::ShowValues() {
    for (const TextField& edit : kTextEdits)
        SetItemText(edit.id, WidenShiftJis(values_.*edit.field));
    const HWND combo = Item(IDC_LINK_TO_COMBO);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : values_.itemNames)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenShiftJis(name).c_str()));
    SendMessageW(combo, CB_SETCURSEL, WPARAM(values_.startItem), 0);
    messageSpeed_.SetValue(values_.messageSpeed);
    fontSize_.SetValue(values_.fontSize);
    for (const CheckField& check : kChecks)
        SetChecked(Handle(), check.id, values_.*check.field);
    for (int group = 0; group < kPropertyGroupCount; ++group) {
        const std::vector<int>& buttons = kGroupButtons[group];
        for (int button = 0; button < int(buttons.size()); ++button)
            SetChecked(Handle(), buttons[button], button == values_.checked[group]);
    }
    normalColor_.SetColor(values_.normalColor);
    shadowColor_.SetColor(values_.shadowColor);
    selectColor_.SetColor(values_.selectColor);
    tipColor_.SetColor(values_.tipColor);
    UpdateFadeLabels();
    RefreshPreview(0);
    RefreshPreview(1);
}

void TNovelPropertyForm::ReadControls() {
    for (const TextField& edit : kTextEdits)
        values_.*edit.field = NarrowToShiftJis(ItemText(edit.id));
    values_.startItem = int(SendMessageW(Item(IDC_LINK_TO_COMBO), CB_GETCURSEL, 0, 0));
    values_.messageSpeed = messageSpeed_.Value();
    values_.fontSize = fontSize_.Value();
    for (const CheckField& check : kChecks)
        values_.*check.field = IsChecked(Handle(), check.id);
    for (int group = 0; group < kPropertyGroupCount; ++group) {
        values_.checked[group] = kNoButton;
        const std::vector<int>& buttons = kGroupButtons[group];
        for (int button = 0; button < int(buttons.size()); ++button) {
            if (IsChecked(Handle(), buttons[button])) {
                values_.checked[group] = button;
                break;
            }
        }
    }
    values_.normalColor = normalColor_.Color();
    values_.shadowColor = shadowColor_.Color();
    values_.selectColor = selectColor_.Color();
    values_.tipColor = tipColor_.Color();
}

void TNovelPropertyForm::UpdateFadeLabels() {
    const struct {
        const WorkingFade& fade;
        int type, variation, speed;
    } labels[] = {
        {values_.fade, IDC_FADE_TYPE_LABEL, IDC_FADE_VAR_LABEL, IDC_FADE_SPEED_LABEL},
        {values_.charFade, IDC_CHAR_FADE_TYPE_LABEL, IDC_CHAR_FADE_VAR_LABEL,
         IDC_CHAR_FADE_SPEED_LABEL},
    };
    for (const auto& label : labels) {
        const WorkingFadeTexts texts = WorkingFadeTextsOf(label.fade);
        SetItemText(label.type, Widen(texts.type));
        SetItemText(label.variation, Widen(texts.variation));
        SetItemText(label.speed, Widen(texts.speed));
    }
}

bool TNovelPropertyForm::OnOK() {
    ReadControls();
    WriteHeader(values_, session_.Model().Header);
    session_.SetModified();
    return true;
}

// ----- Previews ----------------------------------------------------------------------------------
void TNovelPropertyForm::RefreshPreview(int which) {
    Preview& preview = previews_[which];
    const HWND panel = Item(kPreviewIds[which]);
    preview.picture.reset();
    preview.fit = {};
    const std::wstring text = ItemText(kGraphicEdits[which]);
    const std::filesystem::path file = NovelFolder() / std::filesystem::path(text);
    std::error_code error;
    if (!text.empty() && std::filesystem::is_regular_file(file, error)) {
        SetWindowTextW(panel, L"");
        try {
            preview.picture = LoadPictureFile(file);
            preview.fit =
                FitPreview(preview.picture->raster.Width(), preview.picture->raster.Height(),
                           kPreviewWidth, kPreviewHeight);
        } catch (...) {
            InvalidateRect(panel, nullptr, TRUE);
            Ui().ShowMessage({.text = UiTextOf(ExceptionText(std::current_exception())),
                              .caption = "Miravo",
                              .buttons = MessageButtons::Ok,
                              .icon = MessageIcon::Error});
            return;
        }
    } else {
        SetWindowTextW(panel, Widen(MissingPictureText(NarrowToUtf8(text))).c_str());
    }
    InvalidateRect(panel, nullptr, TRUE);
}

void TNovelPropertyForm::PaintPreview(const DRAWITEMSTRUCT& item) const {
    const Preview& preview = previews_[item.CtlID == IDC_LOGO_PREVIEW ? 0 : 1];
    RECT bounds = item.rcItem;
    FillRect(item.hDC, &bounds, GetSysColorBrush(COLOR_BTNFACE));
    if (preview.picture) {
        const RECT target{bounds.left + preview.fit.left, bounds.top + preview.fit.top,
                          bounds.left + preview.fit.left + preview.fit.width,
                          bounds.top + preview.fit.top + preview.fit.height};
        PaintRasterScaled(item.hDC, target, preview.picture->raster);
    } else {
        wchar_t text[128] = {};
        GetWindowTextW(item.hwndItem, text, 128);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(item.hDC, text, -1, &bounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DrawEdge(item.hDC, &bounds, BDR_SUNKENOUTER, BF_RECT);
}

// ----- Buttons -----------------------------------------------------------------------------------
bool TNovelPropertyForm::NovelHasFileName() {
    if (session_.State().hasFileName)
        return true;
    Ui().ShowMessage({.text = "参照するには、データを一度保存してください。",
                      .caption = "エラー",
                      .buttons = MessageButtons::Ok,
                      .icon = MessageIcon::Error});
    return false;
}

void TNovelPropertyForm::FadeButtonClick(WorkingFade& fade) {
    TCommandDialogs* dialogs = dialogs_ ? dialogs_() : nullptr;
    if (!dialogs)
        return;
    TComFadeForm& form = dialogs->Fade();
    const CNovelFileHeader& header = session_.Model().Header;
    form.SetNovelDefault({header.FadeName, header.FadeVariation, header.FadeSpeed});
    form.SetNoStandardMode();
    form.Preset(fade.effect, fade.variation, fade.speed);
    if (form.ShowModal(Handle()) == IDOK) {
        const FadeChoice& choice = form.Result().choice;
        fade = {choice.effect, choice.variation, choice.speed};
        UpdateFadeLabels();
    }
}

void TNovelPropertyForm::GraphSelectClick(int editId, int preview) {
    if (!NovelHasFileName())
        return;
    if (TCommandDialogs* dialogs = dialogs_ ? dialogs_() : nullptr) {
        TComBackgraphForm& form = dialogs->Graphic();
        form.SetNovelFolder(NovelFolder());
        form.SetPictureOnly();
        if (form.ShowModal(Handle()) == IDOK)
            SetItemText(editId, form.File());
    }
    RefreshPreview(preview);
}

void TNovelPropertyForm::MidiSelectClick(int editId) {
    if (!NovelHasFileName())
        return;
    if (TCommandDialogs* dialogs = dialogs_ ? dialogs_() : nullptr) {
        TComMidiForm& form = dialogs->Midi();
        form.SetNovelFolder(NovelFolder());
        form.SetRememberedFile(ItemText(editId));
        if (form.ShowModal(Handle()) == IDOK)
            SetItemText(editId, form.RememberedFile());
    }
}

void TNovelPropertyForm::WaveSelectClick(int editId) {
    if (!NovelHasFileName())
        return;
    if (TCommandDialogs* dialogs = dialogs_ ? dialogs_() : nullptr) {
        TComSoundForm& form = dialogs->Sound();
        form.SetNovelFolder(NovelFolder());
        form.SetRememberedFile(ItemText(editId));
        form.SetSoundEffectMode();
        form.SetCaption(L"サウンド再生");
        if (form.ShowModal(Handle()) == IDOK)
            SetItemText(editId, form.RememberedFile());
    }
}

void TNovelPropertyForm::SetStartToMarkButtonClick() {
    const int found = FindNameIgnoringCase(values_.itemNames, session_.Chart().MarkName());
    if (found != kNoButton)
        SendMessageW(Item(IDC_LINK_TO_COMBO), CB_SETCURSEL, WPARAM(found), 0);
}

bool TNovelPropertyForm::OnCommand(int id, int notification, HWND control) {
    if (notification == EN_CHANGE) {
        if (!loading_ && (id == IDC_LOGO_GRAPHIC_EDIT || id == IDC_TITLE_GRAPHIC_EDIT))
            RefreshPreview(id == IDC_LOGO_GRAPHIC_EDIT ? 0 : 1);
        return true;
    }
    if (notification != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_SET_START_TO_MARK: SetStartToMarkButtonClick(); return true;
    case IDC_FADE_BUTTON: FadeButtonClick(values_.fade); return true;
    case IDC_CHAR_FADE_BUTTON: FadeButtonClick(values_.charFade); return true;
    case IDC_NORMAL_COLOR: normalColor_.AskColor(Ui()); return true;
    case IDC_SHADOW_COLOR: shadowColor_.AskColor(Ui()); return true;
    case IDC_SELECT_COLOR: selectColor_.AskColor(Ui()); return true;
    case IDC_TIP_COLOR: tipColor_.AskColor(Ui()); return true;
    case IDC_MIDI_DEFAULT_BTN: {
        NovelPropertyValues defaults;
        ResetMidiOptions(defaults);
        for (const CheckField& check : kChecks) {
            if (check.id != IDC_FONT_AA_CHECK)
                SetChecked(Handle(), check.id, defaults.*check.field);
        }
        return true;
    }
    case IDC_LOGO_GRAPH_SELECT: GraphSelectClick(IDC_LOGO_GRAPHIC_EDIT, 0); return true;
    case IDC_TITLE_GRAPH_SELECT: GraphSelectClick(IDC_TITLE_GRAPHIC_EDIT, 1); return true;
    case IDC_LOGO_MIDI_SELECT: MidiSelectClick(IDC_LOGO_MIDI_EDIT); return true;
    case IDC_TITLE_MIDI_SELECT: MidiSelectClick(IDC_TITLE_MIDI_EDIT); return true;
    case IDC_LOGO_WAVE_SELECT: WaveSelectClick(IDC_LOGO_WAVE_EDIT); return true;
    case IDC_TITLE_WAVE_SELECT: WaveSelectClick(IDC_TITLE_WAVE_EDIT); return true;
    default: (void)control; return false;
    }
}

INT_PTR TNovelPropertyForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_PROPERTY_TREE && header.code == TVN_SELCHANGEDW) {
            const auto& change = *reinterpret_cast<const NMTREEVIEWW*>(lParam);
            wchar_t text[64] = {};
            TVITEMW item{};
            item.mask = TVIF_TEXT;
            item.hItem = change.itemNew.hItem;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            for (int page = 0; page < kPageCount; ++page) {
                if (PageCaptions()[page] == std::wstring_view(text))
                    ShowPage(page);
            }
            return TRUE;
        }
        return FALSE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_LOGO_PREVIEW && item.CtlID != IDC_TITLE_PREVIEW)
            return FALSE;
        PaintPreview(item);
        return TRUE;
    }
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

} // namespace miravo
