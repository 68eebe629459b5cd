#include "editor/script/CharacterForms.h"

#include "editor/script/CommandDialogResources.h"
#include "editor/script/CommandDialogValues.h"
#include "editor/widgets/RasterPaint.h"
#include "editor/widgets/WideText.h"
#include "novel/FolderFiles.h"
#include "picture/PictureReaders.h"

#include <cwctype>

namespace miravo {

void DrawNumberedRow(const DRAWITEMSTRUCT& item, HFONT font, HIMAGELIST icons, ListIcon icon) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == UINT(-1))
        return;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawListIcon(item.hDC, icons, icon, item.rcItem.left + 1,
                 item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kListIconSize) / 2);
    LOGFONTW logFont{};
    GetObjectW(font, sizeof logFont, &logFont);
    logFont.lfWeight = FW_BOLD;
    const HFONT bold = CreateFontIndirectW(&logFont);
    const HGDIOBJ old = SelectObject(item.hDC, bold);
    RECT area = item.rcItem;
    area.left += 20;
    const std::wstring number = std::to_wstring(item.itemID + 1) + L" ";
    DrawTextW(item.hDC, number.c_str(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SIZE size{};
    GetTextExtentPoint32W(item.hDC, number.c_str(), int(number.size()), &size);
    SelectObject(item.hDC, old);
    DeleteObject(bold);
    area.left += size.cx;
    const UINT getText = item.CtlType == ODT_COMBOBOX ? CB_GETLBTEXT : LB_GETTEXT;
    wchar_t name[256]{};
    SendMessageW(item.hwndItem, getText, item.itemID, reinterpret_cast<LPARAM>(name));
    DrawTextW(item.hDC, name, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ----- Character dialog -----------------------------------------------------------------------
TComCharSetForm::TComCharSetForm(IUserInteraction& ui, CRaster screen)
    : Dialog(IDD_COM_CHARSET, ui), screen_(std::move(screen)), canvas_(screen_) {}

void TComCharSetForm::OnInit() {
    const HWND d = Handle();
    AddDialogControl(d, L"STATIC", L"キャラクター名(&N):", -1, 0, 8, 10, 120, 16);
    AddDialogControl(d, L"EDIT", name_, IDC_COM_NAME, WS_TABSTOP | ES_AUTOHSCROLL, 130, 8, 198, 22,
                     WS_EX_CLIENTEDGE);
    AddDialogControl(d, L"STATIC", L"", IDC_COM_PREVIEW, SS_OWNERDRAW, 8, 38, kPreviewWidth,
                     kPreviewHeight);
    const int x = 340, width = 220;
    AddDialogControl(d, L"STATIC", L"ファイル名(&F):", -1, 0, x, 10, width, 16);
    AddDialogControl(d, L"EDIT", file_, IDC_COM_FILE, WS_TABSTOP | ES_AUTOHSCROLL, x, 28, width, 22,
                     WS_EX_CLIENTEDGE);
    AddDialogControl(d, L"STATIC", L"BMPファイル一覧(&L):", -1, 0, x, 58, width, 16);
    const HWND list = AddDialogControl(d, L"LISTBOX", L"", IDC_COM_FILES,
                                       WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                           LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                       x, 76, width, 202, WS_EX_CLIENTEDGE);
    rows_.emplace(reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)),
                  kCommandDialogFileRow);
    if (!folder_.empty())
        for (const std::u16string& entry : ListNovelFolderFiles(folder_, {u"*.bmp", u"*.png"}))
            SendMessageW(
                list, LB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>(std::wstring(entry.begin(), entry.end()).c_str()));

    AddDialogControl(d, L"BUTTON", L"グラフィックの位置合わせ:", -1, BS_GROUPBOX, 8, 286, 552, 52);
    AddDialogControl(d, L"STATIC", L"縦の位置 :", -1, 0, 18, 308, 60, 16);
    AddDialogControl(d, L"BUTTON", L"上(&T)", IDC_CHAR_TOP,
                     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 80, 306, 56, 20);
    AddDialogControl(d, L"BUTTON", L"中央(&M)", IDC_CHAR_MIDDLE, BS_AUTORADIOBUTTON, 136, 306, 66,
                     20);
    AddDialogControl(d, L"BUTTON", L"下(&B)", IDC_CHAR_BOTTOM, BS_AUTORADIOBUTTON, 202, 306, 56,
                     20);
    AddDialogControl(d, L"STATIC", L"横の位置 :", -1, WS_GROUP, 288, 308, 60, 16);
    AddDialogControl(d, L"BUTTON", L"左(&H)", IDC_CHAR_LEFT,
                     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 350, 306, 56, 20);
    AddDialogControl(d, L"BUTTON", L"中央(&C)", IDC_CHAR_CENTER, BS_AUTORADIOBUTTON, 406, 306, 66,
                     20);
    AddDialogControl(d, L"BUTTON", L"右(&R)", IDC_CHAR_RIGHT, BS_AUTORADIOBUTTON, 472, 306, 56, 20);
    SetChecked(d, IDC_CHAR_TOP + int(vertical_), true);
    SetChecked(d, IDC_CHAR_LEFT + int(horizontal_), true);
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 394, 348,
                     80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 480, 348, 80, 26);
    SetClientSize(d, 568, 384);

    character_.reset(); // the background alone
    Recompose();
}

void TComCharSetForm::Recompose() {
    canvas_ = ComposeCharacterPreview(screen_, character_ ? &*character_ : nullptr, vertical_,
                                      horizontal_);
    if (Handle())
        InvalidateRect(Item(IDC_COM_PREVIEW), nullptr, FALSE);
}

void TComCharSetForm::EntryClicked() {
    const HWND list = Item(IDC_COM_FILES);
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    std::wstring entry(std::size_t(SendMessageW(list, LB_GETTEXTLEN, row, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(entry.data()));
    SetItemText(IDC_COM_FILE, entry);
    // A picture that cannot be read leaves the previous one (the error is shown by the caller).
    CPicture picture = LoadPictureFile(folder_ / std::filesystem::path(entry));
    std::wstring extension = std::filesystem::path(entry).extension().wstring();
    for (wchar_t& c : extension)
        c = wchar_t(std::towupper(c));
    if (extension == L".BMP")
        picture.alpha.reset(); // bitmaps are keyed on their top-left pixel
    character_ = std::move(picture);
    Recompose();
}

bool TComCharSetForm::OnOK() {
    const std::wstring name = ItemText(IDC_COM_NAME);
    file_ = ItemText(IDC_COM_FILE);
    if (name.empty())
        return Refuse("キャラクター名を入力してください。");
    name_ = name;
    result_ =
        CharacterResult(NarrowToShiftJis(name_), NarrowToShiftJis(file_), vertical_, horizontal_);
    return true;
}

bool TComCharSetForm::OnCommand(int id, int notification, HWND) {
    if (id == IDC_COM_FILES && notification == LBN_SELCHANGE) {
        EntryClicked();
        return true;
    }
    if (notification != BN_CLICKED)
        return false;
    if (id >= IDC_CHAR_TOP && id <= IDC_CHAR_BOTTOM)
        vertical_ = VerticalPlacement(id - IDC_CHAR_TOP);
    else if (id >= IDC_CHAR_LEFT && id <= IDC_CHAR_RIGHT)
        horizontal_ = HorizontalPlacement(id - IDC_CHAR_LEFT);
    else
        return false;
    Recompose();
    return true;
}

INT_PTR TComCharSetForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16; return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == IDC_COM_PREVIEW)
            PaintRasterScaled(item.hDC, item.rcItem, canvas_);
        else if (item.CtlID == IDC_COM_FILES && rows_)
            rows_->Paint(item);
        else
            return FALSE;
        return TRUE;
    }
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

// ----- Text window dialog ---------------------------------------------------------------------
TComWindowSetForm::TComWindowSetForm(IUserInteraction& ui, ICommandOut& out)
    : Dialog(IDD_COM_WINDOWSET, ui), out_(out) {}

void TComWindowSetForm::OnInit() {
    const HWND d = Handle();
    SetWindowTextW(d, link_ ? L"リンクウインドウを変更" : L"ウインドウ表示");
    if (!icons_) {
        icons_ = CreateListIcons();
    }
    AddDialogControl(d, L"STATIC", L"ウィンドウ(&W):", -1, 0, 12, 12, 220, 16);
    const HWND list = AddDialogControl(d, L"COMBOBOX", L"", IDC_COM_WINDOWS,
                                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                           CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                       12, 30, 240, 10 * 18 + 24);
    if (windows_)
        for (const CTextWindow& window : *windows_)
            SendMessageW(list, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(WidenShiftJis(window.Name).c_str()));
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 86, 68, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 172, 68, 80, 26);
    SetClientSize(d, 264, 104);
    EnableWindow(Item(IDOK), FALSE); // only while a window is selected
}

bool TComWindowSetForm::OnOK() {
    const LRESULT row = SendMessageW(Item(IDC_COM_WINDOWS), CB_GETCURSEL, 0, 0);
    if (row < 0 || !windows_ || std::size_t(row) >= windows_->size())
        return false;
    const std::string& name = (*windows_)[std::size_t(row)].Name;
    out_.CommandOut(link_ ? LinkWindowSetCommand(name) : WindowSetCommand(name));
    return true;
}

bool TComWindowSetForm::OnCommand(int id, int notification, HWND) {
    if (id != IDC_COM_WINDOWS || notification != CBN_SELCHANGE)
        return false;
    EnableWindow(Item(IDOK), SendMessageW(Item(IDC_COM_WINDOWS), CB_GETCURSEL, 0, 0) >= 0);
    return true;
}

INT_PTR TComWindowSetForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18; return TRUE;
    case WM_DRAWITEM:
        DrawNumberedRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), DialogFont(Handle()),
                        icons_.Get(), kTextWindowListIcon);
        return TRUE;
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

} // namespace miravo
