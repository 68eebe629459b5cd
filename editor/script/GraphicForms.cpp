#include "editor/script/GraphicForms.h"

#include "editor/script/CommandDialogResources.h"
#include "editor/script/CommandDialogValues.h"
#include "editor/script/FadeForm.h"
#include "editor/script/FadeFormValues.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/RasterPaint.h"
#include "editor/widgets/WideText.h"
#include "novel/FolderFiles.h"
#include "picture/PictureFit.h"
#include "picture/PictureReaders.h"

namespace miravo {

// ----- Fade panel -----------------------------------------------------------------------------
void FadePanel::Create(HWND dialog, int top, int width) {
    dialog_ = dialog;
    controls_ = {
        AddDialogControl(dialog, L"STATIC", L"", -1, SS_ETCHEDHORZ, 0, top, width, 2),
        AddDialogControl(dialog, L"STATIC", L"フェード効果 :", -1, 0, 8, top + 13, 80, 16),
        AddDialogControl(dialog, L"STATIC", L"", IDC_FADE_PANEL_NAME, 0, 90, top + 6, 150, 16),
        AddDialogControl(dialog, L"STATIC", L"", IDC_FADE_PANEL_VARIATION, 0, 90, top + 22, 110,
                         16),
        AddDialogControl(dialog, L"STATIC", L"", IDC_FADE_PANEL_SPEED, 0, 200, top + 22, 170, 16),
        AddDialogControl(dialog, L"BUTTON", L"変更(&C)", IDC_FADE_PANEL_CHANGE, WS_TABSTOP,
                         width - 88, top + 8, 80, 26),
    };
    Update();
}

void FadePanel::Show(bool visible) {
    for (const HWND control : controls_)
        ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void FadePanel::Reset() { Set({}, {}); }

void FadePanel::Set(const FadeChoice& choice, std::string fadeArguments) {
    choice_ = choice;
    fadeArguments_ = std::move(fadeArguments);
    Update();
}

void FadePanel::Change(HWND owner, TComFadeForm& fade) {
    if (fade.ShowModal(owner) == IDOK)
        Set(fade.Result().choice, fade.Result().fadeArguments);
}

void FadePanel::Update() {
    if (!dialog_)
        return;
    const FadePanelTexts texts = FadePanelTextsOf(choice_);
    SetDlgItemTextW(dialog_, IDC_FADE_PANEL_NAME, Widen(texts.name).c_str());
    SetDlgItemTextW(dialog_, IDC_FADE_PANEL_VARIATION, Widen(texts.variation).c_str());
    SetDlgItemTextW(dialog_, IDC_FADE_PANEL_SPEED, Widen(texts.speed).c_str());
}

// ----- Graphic dialog -------------------------------------------------------------------------
namespace {
constexpr int kGraphicClientWidth = 560;

std::wstring ListEntry(HWND list, LRESULT row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, WPARAM(row), 0);
    std::wstring text(length > 0 ? std::size_t(length) : 0, L'\0');
    if (length > 0)
        SendMessageW(list, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void FillFileList(HWND list, const std::filesystem::path& folder,
                  std::initializer_list<std::u16string_view> patterns) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (folder.empty())
        return;
    for (const std::u16string& entry : ListNovelFolderFiles(folder, patterns)) {
        const std::wstring wide(entry.begin(), entry.end());
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}
} // namespace

TComBackgraphForm::TComBackgraphForm(IUserInteraction& ui, TComFadeForm& fade)
    : Dialog(IDD_COM_BACKGRAPH, ui), fade_(fade) {}

void TComBackgraphForm::OnInit() {
    const HWND d = Handle();
    AddDialogControl(d, L"STATIC", L"", IDC_COM_PREVIEW, SS_OWNERDRAW, 8, 8, kGraphicPreviewWidth,
                     kGraphicPreviewHeight);
    const int x = 8 + kGraphicPreviewWidth + 10, width = kGraphicClientWidth - x - 8;
    AddDialogControl(d, L"STATIC", L"ファイル名(&F):", -1, 0, x, 8, width, 16);
    AddDialogControl(d, L"EDIT", file_, IDC_COM_FILE, WS_TABSTOP | ES_AUTOHSCROLL, x, 26, width, 22,
                     WS_EX_CLIENTEDGE);
    AddDialogControl(d, L"STATIC", L"画像ファイル一覧(&L):", -1, 0, x, 56, width, 16);
    const HWND list = AddDialogControl(d, L"LISTBOX", L"", IDC_COM_FILES,
                                       WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                           LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                       x, 74, width, kMainPanelHeight - 74 - 8, WS_EX_CLIENTEDGE);
    rows_.emplace(reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)),
                  kCommandDialogFileRow);
    FillFileList(list, folder_, {u"*.bmp", u"*.jpg", u"*.png"});

    picture_.reset();
    panel_.Create(d, kMainPanelHeight, kGraphicClientWidth);
    panel_.Reset();
    panel_.Show(!pictureOnly_);
    const int buttons = kMainPanelHeight + (pictureOnly_ ? 0 : FadePanel::kHeight);
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP,
                     kGraphicClientWidth - 174, buttons + 9, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, kGraphicClientWidth - 88,
                     buttons + 9, 80, 26);
    SetClientSize(d, kGraphicClientWidth, buttons + kButtonPanelHeight);
    pictureOnly_ = false;
}

void TComBackgraphForm::EntryClicked() {
    const HWND list = Item(IDC_COM_FILES);
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    const std::wstring entry = ListEntry(list, row);
    SetItemText(IDC_COM_FILE, entry);
    // The preview stays empty when the picture cannot be read; the error is shown by the caller.
    picture_.reset();
    InvalidateRect(Item(IDC_COM_PREVIEW), nullptr, TRUE);
    picture_ = LoadPictureFile(folder_ / std::filesystem::path(entry));
    InvalidateRect(Item(IDC_COM_PREVIEW), nullptr, TRUE);
}

bool TComBackgraphForm::OnOK() {
    file_ = ItemText(IDC_COM_FILE);
    result_ = GraphicResult(NarrowToShiftJis(file_), panel_.FadeArguments());
    return true;
}

bool TComBackgraphForm::OnCommand(int id, int notification, HWND) {
    if (id == IDC_COM_FILES && notification == LBN_SELCHANGE) {
        EntryClicked();
        return true;
    }
    if (id == IDC_FADE_PANEL_CHANGE && notification == BN_CLICKED) {
        panel_.Change(Handle(), fade_);
        return true;
    }
    return false;
}

void TComBackgraphForm::PaintPreview(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!picture_)
        return;
    const PictureFit fit = FitGraphicPreview(picture_->raster.Width(), picture_->raster.Height());
    const RECT target{item.rcItem.left + fit.left, item.rcItem.top + fit.top,
                      item.rcItem.left + fit.left + fit.width,
                      item.rcItem.top + fit.top + fit.height};
    PaintRasterScaled(item.hDC, target, picture_->raster);
}

INT_PTR TComBackgraphForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16; return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == IDC_COM_PREVIEW)
            PaintPreview(item);
        else if (item.CtlID == IDC_COM_FILES && rows_)
            rows_->Paint(item);
        else
            return FALSE;
        return TRUE;
    }
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

// ----- Fill dialog ----------------------------------------------------------------------------
TComFillForm::TComFillForm(IUserInteraction& ui, ICommandOut& out, TComFadeForm& fade)
    : Dialog(IDD_COM_FILL, ui), out_(out), fade_(fade) {}

void TComFillForm::OnInit() {
    const HWND d = Handle();
    constexpr int width = 400;
    AddDialogControl(d, L"STATIC", L"塗りつぶす色(&F):", -1, 0, 12, 16, 110, 16);
    swatch_.Create({.parent = d,
                    .id = IDC_FILL_SWATCH,
                    .x = 124,
                    .y = 10,
                    .width = 60,
                    .height = 26,
                    .color = color_});
    AddDialogControl(d, L"BUTTON", L"変更", IDC_FILL_CHANGE, WS_TABSTOP, 190, 10, 60, 26);
    AddDialogControl(d, L"STATIC", L"不透明度:", -1, 0, 12, 52, 110, 16);
    AddDialogControl(d, L"BUTTON", L"指定する(&A)", IDC_FILL_OPACITY, BS_AUTOCHECKBOX | WS_TABSTOP,
                     124, 50, 100, 20);
    loading_ = true; // the field's first value is no commit
    opacity_.Create({.parent = d,
                     .id = IDC_COM_NUMBER,
                     .x = 228,
                     .y = 48,
                     .width = 64,
                     .height = 22,
                     .minimum = 0,
                     .maximum = 100,
                     .step = 5,
                     .value = opacityValue_,
                     .font = DialogFont(d)});
    loading_ = false;
    opacity_.Enable(false);
    AddDialogControl(d, L"STATIC", L"％ (&P)", -1, 0, 296, 52, 50, 16);
    constexpr int panelTop = 84;
    panel_.Create(d, panelTop, width);
    panel_.Reset();
    const int buttons = panelTop + FadePanel::kHeight;
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, width - 174,
                     buttons + 9, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, width - 88, buttons + 9, 80,
                     26);
    SetClientSize(d, width, buttons + 43);
}

bool TComFillForm::OnOK() {
    opacityValue_ = opacity_.Value();
    const std::optional<int> opacity =
        IsChecked(Handle(), IDC_FILL_OPACITY) ? std::optional<int>(opacityValue_) : std::nullopt;
    out_.CommandOut(GraphFillCommand(RgbOf(color_), opacity, panel_.Choice()));
    return true;
}

bool TComFillForm::OnCommand(int id, int notification, HWND) {
    if (id == IDC_COM_NUMBER && notification == NEN_DECIDED) {
        if (!loading_)
            opacityValue_ = opacity_.Value();
        return true;
    }
    if (id == IDC_FILL_SWATCH && notification == CBN_COLORCHANGED) {
        color_ = swatch_.Color();
        return true;
    }
    if (notification != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_FILL_SWATCH:
    case IDC_FILL_CHANGE: swatch_.AskColor(Ui()); return true;
    case IDC_FILL_OPACITY: opacity_.Enable(IsChecked(Handle(), IDC_FILL_OPACITY)); return true;
    case IDC_FADE_PANEL_CHANGE: panel_.Change(Handle(), fade_); return true;
    default: return false;
    }
}

} // namespace miravo
