#include "editor/properties/TextWindowEditForm.h"

#include "editor/properties/SettingsResource.h"
#include "editor/properties/TextWindowPreview.h"
#include "editor/shell/EditorSession.h"
#include "editor/widgets/BuiltinPictureResource.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/RasterPaint.h"
#include "editor/widgets/WideText.h"
#include "novel/FolderFiles.h"
#include "picture/FadeMasks.h"
#include "picture/PictureReaders.h"

#include <cwctype>
#include <filesystem>

namespace miravo {

namespace {

struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;

constexpr int kScreenWidth = kFadeMaskWidth;
constexpr int kScreenHeight = kFadeMaskHeight;

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }
UiText UiTextOfWide(const std::wstring& text) {
    return UiText::FromUtf16(std::u16string(text.begin(), text.end()));
}

bool UpperExtensionIs(const std::wstring& entry, const wchar_t* extension) {
    std::wstring found = std::filesystem::path(entry).extension().wstring();
    for (wchar_t& c : found)
        c = wchar_t(std::towupper(c));
    return found == extension;
}

// The text rectangle's outlines and label, drawn with GDI on the 640 x 480 image.
void DrawTextRectMarks(HDC dc, const CWindowRect& rect) {
    const PenHandle pen(CreatePen(PS_DASH, 1, RGB(255, 192, 192)));
    const HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    Rectangle(dc, rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    const FontHandle font(CreateFontW(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                      SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      ANTIALIASED_QUALITY, DEFAULT_PITCH, L"ＭＳ ゴシック"));
    const HGDIOBJ oldFont = SelectObject(dc, font.Get());
    SetTextColor(dc, RGB(255, 255, 255));
    const std::wstring label = L"テキスト範囲";
    TextOutW(dc, rect.Left + 4, rect.Top + 4, label.c_str(), int(label.size()));
    SelectObject(dc, oldFont);
}

} // namespace

TTextWindowEditForm::TTextWindowEditForm(EditorSession& session)
    : Dialog(IDD_TEXT_WINDOW_EDIT, session.Ui()), session_(session) {}

void TTextWindowEditForm::OnInit() {
    loading_ = true;
    frame_ = 0;
    if (!background_) {
        try {
            background_ = LoadBuiltinPicture(BuiltinPicture::SampleScreen).raster;
        } catch (const std::exception&) {
            background_ = CRaster(kScreenWidth, kScreenHeight); // black, when the program lacks it
        }
    }
    leftEdit_.Attach(Item(IDC_WINDOW_LEFT));
    topEdit_.Attach(Item(IDC_WINDOW_TOP));
    rightEdit_.Attach(Item(IDC_WINDOW_RIGHT));
    bottomEdit_.Attach(Item(IDC_WINDOW_BOTTOM));
    for (TUDNumeralEdit* x : {&leftEdit_, &rightEdit_}) {
        x->SetMinimum(0);
        x->SetMaximum(kScreenWidth);
        x->SetStep(8);
    }
    for (TUDNumeralEdit* y : {&topEdit_, &bottomEdit_}) {
        y->SetMinimum(0);
        y->SetMaximum(kScreenHeight);
        y->SetStep(8);
    }
    rows_.emplace(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)),
                  kTextWindowFileRow);
    FillFileList();
    picture_.reset();
    Recompose();
    SetTimer(Handle(), kAnimTimer, kAnimInterval, nullptr);
    LoadWindow();
    loading_ = false;
}

void TTextWindowEditForm::FillFileList() {
    const HWND list = Item(IDC_WINDOW_FILES);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const std::filesystem::path& folder = session_.State().novelFolder;
    if (folder.empty())
        return;
    for (const std::u16string& entry : ListTextWindowPictures(folder))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
}

void TTextWindowEditForm::LoadWindow() {
    const TextWindowEditValues values = TextWindowValuesOf(session_.Model().TextWindows[index_]);
    SetItemText(IDC_WINDOW_NAME, Wide(values.name.Utf16()));
    vAlign_ = values.vAlign;
    hAlign_ = values.hAlign;
    CheckDlgButton(Handle(), IDC_WINDOW_VTOP, vAlign_ == "TOP" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_WINDOW_VMIDDLE, vAlign_ == "MIDDLE" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_WINDOW_VBOTTOM, vAlign_ == "BOTTOM" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_WINDOW_HLEFT, hAlign_ == "LEFT" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_WINDOW_HCENTER, hAlign_ == "CENTER" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_WINDOW_HRIGHT, hAlign_ == "RIGHT" ? BST_CHECKED : BST_UNCHECKED);
    const std::wstring file = Wide(values.graphicFile.Utf16());
    SetItemText(IDC_WINDOW_FILE, file);
    const HWND list = Item(IDC_WINDOW_FILES);
    // The list compares without regard to letter case, as the file names were lower-cased.
    const LRESULT row = file.empty() ? LB_ERR
                                     : SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1),
                                                    reinterpret_cast<LPARAM>(file.c_str()));
    SendMessageW(list, LB_SETCURSEL, row == LB_ERR ? WPARAM(-1) : WPARAM(row), 0);
    if (row != LB_ERR)
        FileListBoxClick();
    CheckDlgButton(Handle(), IDC_WINDOW_USE_GRAPHIC, file.empty() ? BST_UNCHECKED : BST_CHECKED);
    leftEdit_.SetValue(values.textRect.Left);
    topEdit_.SetValue(values.textRect.Top);
    rightEdit_.SetValue(values.textRect.Right);
    bottomEdit_.SetValue(values.textRect.Bottom);
    ReadTextRect();
}

void TTextWindowEditForm::FileListBoxClick() {
    const HWND list = Item(IDC_WINDOW_FILES);
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    std::wstring entry(std::size_t(SendMessageW(list, LB_GETTEXTLEN, row, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(entry.data()));
    SetItemText(IDC_WINDOW_FILE, entry);
    CheckDlgButton(Handle(), IDC_WINDOW_USE_GRAPHIC, BST_CHECKED);
    // A picture that cannot be read raises its error; the previous picture stays.
    CPicture picture = LoadPictureFile(session_.State().novelFolder / std::filesystem::path(entry));
    if (UpperExtensionIs(entry, L".BMP"))
        picture.alpha.reset(); // bitmaps are keyed on their top-left pixel
    picture_ = std::move(picture);
    Recompose();
}

void TTextWindowEditForm::UseGraphicCheckClick() {
    if (IsDlgButtonChecked(Handle(), IDC_WINDOW_USE_GRAPHIC) == BST_CHECKED) {
        FileListBoxClick();
        return;
    }
    SetItemText(IDC_WINDOW_FILE, L"");
    picture_.reset();
    Recompose();
}

void TTextWindowEditForm::Recompose() {
    work_ =
        ComposeTextWindowScreen(*background_, picture_ ? &*picture_ : nullptr, vAlign_, hAlign_);
    if (Handle())
        InvalidateRect(Item(IDC_WINDOW_PREVIEW), nullptr, FALSE);
}

void TTextWindowEditForm::ReadTextRect() {
    textRect_ = {leftEdit_.Value(), topEdit_.Value(), rightEdit_.Value(), bottomEdit_.Value()};
}

CRaster TTextWindowEditForm::PreviewImage() const {
    CRaster image = work_;
    FillTextRectangle(image, textRect_, frame_);
    return image;
}

void TTextWindowEditForm::PaintPreview(HDC dc, const RECT& area) const {
    const CRaster image = PreviewImage();
    if (image.Empty())
        return;
    // The outlines and the label are GDI's: drawn on a 640 x 480 bitmap, then stretched.
    const MemoryDc memory(CreateCompatibleDC(dc));
    const BitmapHandle bitmap(CreateCompatibleBitmap(dc, image.Width(), image.Height()));
    if (!memory || !bitmap)
        return;
    const SelectScope selected(memory.Get(), bitmap.Get());
    const RECT whole{0, 0, image.Width(), image.Height()};
    PaintRasterScaled(memory.Get(), whole, image);
    DrawTextRectMarks(memory.Get(), textRect_);
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               memory.Get(), 0, 0, image.Width(), image.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

bool TTextWindowEditForm::OnOK() {
    ReadTextRect();
    const bool useGraphic = IsDlgButtonChecked(Handle(), IDC_WINDOW_USE_GRAPHIC) == BST_CHECKED;
    const TextWindowEditValues values{
        .name = UiTextOfWide(ItemText(IDC_WINDOW_NAME)),
        .graphicFile = useGraphic ? UiTextOfWide(ItemText(IDC_WINDOW_FILE)) : UiText(),
        .vAlign = vAlign_,
        .hAlign = hAlign_,
        .textRect = textRect_};
    if (!session_.TextWindows().StoreWindow(index_, values))
        return false;
    KillTimer(Handle(), kAnimTimer);
    return true;
}

void TTextWindowEditForm::OnCancel() { KillTimer(Handle(), kAnimTimer); }

bool TTextWindowEditForm::OnCommand(int id, int notification, HWND) {
    switch (id) {
    case IDC_WINDOW_FILES:
        if (notification == LBN_SELCHANGE)
            FileListBoxClick();
        return true;
    case IDC_WINDOW_USE_GRAPHIC:
        if (notification == BN_CLICKED)
            UseGraphicCheckClick();
        return true;
    case IDC_WINDOW_LEFT:
    case IDC_WINDOW_TOP:
    case IDC_WINDOW_RIGHT:
    case IDC_WINDOW_BOTTOM:
        if (notification == NEN_DECIDED && !loading_)
            ReadTextRect(); // the next tick draws it
        return true;
    default: break;
    }
    if (notification != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_WINDOW_VTOP: vAlign_ = "TOP"; break;
    case IDC_WINDOW_VMIDDLE: vAlign_ = "MIDDLE"; break;
    case IDC_WINDOW_VBOTTOM: vAlign_ = "BOTTOM"; break;
    case IDC_WINDOW_HLEFT: hAlign_ = "LEFT"; break;
    case IDC_WINDOW_HCENTER: hAlign_ = "CENTER"; break;
    case IDC_WINDOW_HRIGHT: hAlign_ = "RIGHT"; break;
    default: return false;
    }
    Recompose();
    return true;
}

INT_PTR TTextWindowEditForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kAnimTimer)
            break;
        ++frame_;
        if (frame_ >= kTextPulsePeriod * 1000)
            frame_ %= kTextPulsePeriod; // the pulse repeats; the counter never overflows
        InvalidateRect(Item(IDC_WINDOW_PREVIEW), nullptr, FALSE);
        return TRUE;
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16; return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == IDC_WINDOW_PREVIEW)
            PaintPreview(item.hDC, item.rcItem);
        else if (item.CtlID == IDC_WINDOW_FILES && rows_)
            rows_->Paint(item);
        else
            return FALSE;
        return TRUE;
    }
    case WM_DESTROY: KillTimer(Handle(), kAnimTimer); break;
    default: break;
    }
    return Dialog::HandleMessage(message, wParam, lParam);
}

} // namespace miravo
