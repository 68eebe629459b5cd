#include "editor/widgets/HeaderList.h"

#include "editor/widgets/CustomControl.h"
#include "editor/widgets/Handles.h"

#include <algorithm>
#include <stdexcept>

namespace miravo {

namespace {

constexpr int kCheckBoxSize = 13;

int ClampWidth(const HeaderSection& section, int width) {
    width = std::max(width, section.minWidth);
    if (section.maxWidth > 0) {
        width = std::min(width, section.maxWidth);
    }
    return std::max(width, 0);
}

class HeaderListState {
public:
    explicit HeaderListState(HWND handle) : handle_(handle) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_CREATE: return Created(*reinterpret_cast<CREATESTRUCTW*>(lParam));
        case WM_SIZE: Layout(); return 0;
        case WM_SETFOCUS: SetFocus(list_); return 0;
        case WM_ENABLE:
            EnableWindow(list_, static_cast<BOOL>(wParam));
            EnableWindow(header_, static_cast<BOOL>(wParam));
            return 0;
        case WM_SETFONT: SetFont(reinterpret_cast<HFONT>(wParam)); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(regular_);
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(rowHeight_);
            return TRUE;
        case WM_DRAWITEM: PaintRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == list_) {
                if (HIWORD(wParam) == LBN_SELCHANGE) {
                    NotifyParent(handle_, HLN_SELCHANGE);
                } else if (HIWORD(wParam) == LBN_DBLCLK) {
                    NotifyParent(handle_, HLN_DBLCLK);
                }
            }
            return 0;
        case WM_NOTIFY: return HeaderNotified(*reinterpret_cast<NMHEADERW*>(lParam));
        default: return DefWindowProcW(handle_, message, wParam, lParam);
        }
    }

    void SetSections(const std::vector<HeaderSection>& sections) {
        while (SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0) > 0) {
            SendMessageW(header_, HDM_DELETEITEM, 0, 0);
        }
        sections_ = sections;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.fmt = HDF_LEFT | HDF_STRING;
            item.pszText = sections_[i].caption.data();
            item.cxy = ClampWidth(sections_[i], sections_[i].width);
            SendMessageW(header_, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
        Layout();
        InvalidateRect(list_, nullptr, TRUE);
    }

    int SectionWidth(int section) const {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        SendMessageW(header_, HDM_GETITEMW, section, reinterpret_cast<LPARAM>(&item));
        return item.cxy;
    }

    void SetSectionWidth(int section, int width) {
        if (section < 0 || section >= static_cast<int>(sections_.size())) {
            return;
        }
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = ClampWidth(sections_[static_cast<std::size_t>(section)], width);
        SendMessageW(header_, HDM_SETITEMW, section, reinterpret_cast<LPARAM>(&item));
        InvalidateRect(list_, nullptr, TRUE);
    }

    void SetRows(int count, RowSource source) {
        source_ = std::move(source);
        SetRowCount(count);
    }

    void SetRowCount(int count) {
        count = std::max(count, 0);
        const int selected = Selected();
        checked_.resize(static_cast<std::size_t>(count), false);
        SendMessageW(list_, LB_SETCOUNT, count, 0);
        if (selected >= 0 && selected < count) {
            SendMessageW(list_, LB_SETCURSEL, selected, 0);
        }
        InvalidateRect(list_, nullptr, TRUE);
    }

    int RowCount() const { return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)); }
    int Selected() const {
        const auto row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
        return row == LB_ERR ? -1 : static_cast<int>(row);
    }
    void Select(int row) { SendMessageW(list_, LB_SETCURSEL, row, 0); }

    bool Checked(int row) const {
        return row >= 0 && row < static_cast<int>(checked_.size()) &&
               checked_[static_cast<std::size_t>(row)];
    }
    void SetChecked(int row, bool checked) {
        if (row >= 0 && row < static_cast<int>(checked_.size())) {
            checked_[static_cast<std::size_t>(row)] = checked;
            InvalidateRow(row);
        }
    }

    void Setup(const HeaderListArgs& args) {
        rowHeight_ = std::max(args.rowHeight, 1);
        SendMessageW(list_, LB_SETITEMHEIGHT, 0, rowHeight_);
        gridLines_ = args.gridLines;
        checkBoxes_ = args.checkBoxes;
        images_ = args.images;
        if (args.font != nullptr) {
            SetFont(args.font);
        }
        SetSections(args.sections);
    }

    void SetPainter(RowPainter painter) {
        painter_ = std::move(painter);
        InvalidateRect(list_, nullptr, TRUE);
    }

    HWND HeaderHandle() const { return header_; }
    HWND ListHandle() const { return list_; }
    int GuideLine() const { return guide_; }
    RECT RowRect(int row) const {
        RECT rect{};
        SendMessageW(list_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

private:
    LRESULT Created(const CREATESTRUCTW& create) {
        SetWindowLongPtrW(handle_, GWL_STYLE, create.style & ~WS_TABSTOP);
        SetWindowLongPtrW(handle_, GWL_EXSTYLE, create.dwExStyle | WS_EX_CONTROLPARENT);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        // No full drag: the section takes its width on release; the guide line shows it before.
        header_ = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ, 0, 0, 0, 0,
                                  handle_, nullptr, instance, nullptr);
        list_ = CreateWindowExW(0, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                                    LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT,
                                0, 0, 0, 0, handle_, nullptr, instance, nullptr);
        if (header_ == nullptr || list_ == nullptr) {
            return -1;
        }
        SetWindowSubclass(list_, &ListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
        if (const HWND parent = GetParent(handle_); parent != nullptr) {
            SetFont(reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)));
        }
        if ((create.style & WS_DISABLED) != 0) {
            EnableWindow(list_, FALSE);
            EnableWindow(header_, FALSE);
        }
        Layout();
        return 0;
    }

    void SetFont(HFONT font) {
        if (font == nullptr) {
            font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        }
        regular_ = font;
        LOGFONTW face{};
        GetObjectW(font, sizeof face, &face);
        face.lfWeight = FW_BOLD;
        bold_ = FontHandle(CreateFontIndirectW(&face));
        SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(list_, LB_SETITEMHEIGHT, 0, rowHeight_);
        Layout();
    }

    void Layout() {
        RECT client{};
        GetClientRect(handle_, &client);
        WINDOWPOS place{};
        HDLAYOUT layout{&client, &place};
        SendMessageW(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
        SetWindowPos(header_, nullptr, place.x, place.y, place.cx, place.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        MoveWindow(list_, client.left, client.top, client.right - client.left,
                   client.bottom - client.top, TRUE);
    }

    std::vector<RECT> SectionRects(const RECT& row) const {
        std::vector<RECT> rects;
        int x = row.left;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const int width = SectionWidth(static_cast<int>(i));
            rects.push_back({x, row.top, x + width, row.bottom});
            x += width;
        }
        return rects;
    }

    void InvalidateRow(int row) {
        RECT rect = RowRect(row);
        InvalidateRect(list_, &rect, TRUE);
    }

    RECT CheckBoxRect(const RECT& row) const {
        const int top = row.top + (row.bottom - row.top - kCheckBoxSize) / 2;
        return {row.left + 3, top, row.left + 3 + kCheckBoxSize, top + kCheckBoxSize};
    }

    void PaintRow(const DRAWITEMSTRUCT& item) noexcept {
        try {
            if (item.itemID == static_cast<UINT>(-1)) {
                return;
            }
            const int row = static_cast<int>(item.itemID);
            const HDC dc = item.hDC;
            const bool selected = (item.itemState & ODS_SELECTED) != 0;
            FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RowPaintArgs args{dc,       row,      item.rcItem, SectionRects(item.rcItem),
                              selected, regular_, bold_.Get()};
            if (painter_) {
                const int saved = SaveDC(dc);
                painter_(args);
                RestoreDC(dc, saved);
            } else if (source_) {
                PaintCells(args, source_(row));
            }
            if (gridLines_) {
                PaintGrid(args);
            }
            if ((item.itemState & ODS_FOCUS) != 0) {
                DrawFocusRect(dc, &item.rcItem);
            }
        } catch (...) {
            // A row that cannot be painted stays blank; the others are painted.
        }
    }

    void PaintCells(const RowPaintArgs& args, const ListRow& content) const {
        for (std::size_t i = 0; i < args.sections.size() && i < content.cells.size(); ++i) {
            RECT cell = args.sections[i];
            if (i == 0 && checkBoxes_) {
                RECT box = CheckBoxRect(cell);
                DrawFrameControl(args.dc, &box, DFC_BUTTON,
                                 DFCS_BUTTONCHECK | DFCS_FLAT |
                                     (Checked(args.row) ? DFCS_CHECKED : 0));
                cell.left = box.right;
            }
            PaintCell(args.dc, cell, content.cells[i]);
        }
    }

    void PaintCell(HDC dc, const RECT& cell, const ListCell& content) const {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
        const bool hasIcon = content.icon >= 0 && images_ != nullptr;
        int iconWidth = 0;
        int iconHeight = 0;
        if (hasIcon) {
            ImageList_GetIconSize(images_, &iconWidth, &iconHeight);
        }
        const int iconSpace = hasIcon ? iconWidth + 2 : 0;
        std::vector<int> widths;
        int total = iconSpace;
        for (const TextRun& run : content.runs) {
            const SelectScope font(dc, run.bold ? bold_.Get() : regular_);
            SIZE size{};
            GetTextExtentPoint32W(dc, run.text.c_str(), static_cast<int>(run.text.size()), &size);
            widths.push_back(size.cx);
            total += size.cx;
        }
        int x = content.align == CellAlign::Right ? cell.right - content.indent - total
                                                  : cell.left + content.indent;
        if (hasIcon) {
            ImageList_Draw(images_, content.icon, dc, x,
                           cell.top + (cell.bottom - cell.top - iconHeight) / 2, ILD_TRANSPARENT);
            x += iconSpace;
        }
        for (std::size_t i = 0; i < content.runs.size(); ++i) {
            const TextRun& run = content.runs[i];
            const SelectScope font(dc, run.bold ? bold_.Get() : regular_);
            TextOutW(dc, x, cell.top + content.top, run.text.c_str(),
                     static_cast<int>(run.text.size()));
            x += widths[i];
        }
        RestoreDC(dc, saved);
    }

    void PaintGrid(const RowPaintArgs& args) const {
        const PenHandle pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        const SelectScope select(args.dc, pen.Get());
        for (const RECT& section : args.sections) {
            MoveToEx(args.dc, section.right - 1, args.rect.top, nullptr);
            LineTo(args.dc, section.right - 1, args.rect.bottom);
        }
        MoveToEx(args.dc, args.rect.left, args.rect.bottom - 1, nullptr);
        LineTo(args.dc, args.rect.right, args.rect.bottom - 1);
    }

    // The header's drag: kept within the section's limits, shown by the guide line.
    LRESULT HeaderNotified(NMHEADERW& notice) {
        // Only the drag's notifications carry an item; others (NM_RELEASEDCAPTURE, ...) are a
        // bare NMHDR, whose further fields must not be read.
        switch (notice.hdr.code) {
        case HDN_BEGINTRACKW:
        case HDN_BEGINTRACKA:
        case HDN_TRACKW:
        case HDN_TRACKA:
        case HDN_ENDTRACKW:
        case HDN_ENDTRACKA:
        case HDN_ITEMCHANGINGW:
        case HDN_ITEMCHANGINGA:
        case HDN_ITEMCHANGEDW:
        case HDN_ITEMCHANGEDA: break;
        default: return 0;
        }
        if (notice.hdr.hwndFrom != header_ || notice.iItem < 0 ||
            notice.iItem >= static_cast<int>(sections_.size())) {
            return 0;
        }
        const HeaderSection& section = sections_[static_cast<std::size_t>(notice.iItem)];
        const bool hasWidth = notice.pitem != nullptr && (notice.pitem->mask & HDI_WIDTH) != 0;
        switch (notice.hdr.code) {
        case HDN_BEGINTRACKW:
        case HDN_BEGINTRACKA:
            // A section whose limits allow one width only cannot be dragged.
            return section.maxWidth > 0 && section.minWidth >= section.maxWidth ? TRUE : FALSE;
        case HDN_TRACKW:
        case HDN_TRACKA:
            if (hasWidth) {
                RECT item{};
                SendMessageW(header_, HDM_GETITEMRECT, notice.iItem,
                             reinterpret_cast<LPARAM>(&item));
                MoveGuide(item.left + ClampWidth(section, notice.pitem->cxy));
            }
            return 0;
        case HDN_ENDTRACKW:
        case HDN_ENDTRACKA: MoveGuide(-1); return 0;
        case HDN_ITEMCHANGINGW:
        case HDN_ITEMCHANGINGA:
            if (hasWidth && ClampWidth(section, notice.pitem->cxy) != notice.pitem->cxy) {
                // Refused as asked, then given the nearest width the section allows.
                SetSectionWidthLater(notice.iItem, ClampWidth(section, notice.pitem->cxy));
                return TRUE;
            }
            return 0;
        case HDN_ITEMCHANGEDW:
        case HDN_ITEMCHANGEDA:
            if (hasWidth) {
                InvalidateRect(list_, nullptr, TRUE);
                NotifyParent(handle_, HLN_RESIZED);
            }
            return 0;
        default: return 0;
        }
    }

    void SetSectionWidthLater(int section, int width) {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = width;
        SendMessageW(header_, HDM_SETITEMW, section, reinterpret_cast<LPARAM>(&item));
    }

    // Inverting twice restores the list, so the old line is erased by drawing it again.
    void MoveGuide(int x) {
        if (x == guide_) {
            return;
        }
        const WindowDc dc(list_);
        RECT client{};
        GetClientRect(list_, &client);
        if (guide_ >= 0) {
            PatBlt(dc.Get(), guide_, 0, 1, client.bottom, DSTINVERT);
        }
        guide_ = x;
        if (guide_ >= 0) {
            PatBlt(dc.Get(), guide_, 0, 1, client.bottom, DSTINVERT);
        }
    }

    LRESULT ListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_DELETE) {
                NotifyParent(handle_, HLN_DELETEKEY);
                return 0;
            }
            if (wParam == VK_SPACE && checkBoxes_ && Selected() >= 0) {
                Toggle(Selected());
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (checkBoxes_) {
                const POINT point{static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam))};
                const auto hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, lParam);
                const int row = static_cast<int>(LOWORD(hit));
                if (HIWORD(hit) == 0 && row < RowCount()) {
                    const RECT rowRect = RowRect(row);
                    RECT box = CheckBoxRect(rowRect);
                    if (!sections_.empty() && PtInRect(&box, point)) {
                        const LRESULT result =
                            DefSubclassProc(list_, WM_LBUTTONDOWN, wParam, lParam);
                        Toggle(row);
                        return result;
                    }
                }
            }
            break;
        default: break;
        }
        return DefSubclassProc(list_, message, wParam, lParam);
    }

    void Toggle(int row) {
        SetChecked(row, !Checked(row));
        NotifyParent(handle_, HLN_CHECKCHANGE);
    }

    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(list, &ListProcedure, 0);
            return DefSubclassProc(list, message, wParam, lParam);
        }
        try {
            return reinterpret_cast<HeaderListState*>(self)->ListMessage(message, wParam, lParam);
        } catch (...) {
            return DefSubclassProc(list, message, wParam, lParam);
        }
    }

    HWND handle_;
    HWND header_ = nullptr;
    HWND list_ = nullptr;
    std::vector<HeaderSection> sections_;
    std::vector<bool> checked_;
    RowSource source_;
    RowPainter painter_;
    HIMAGELIST images_ = nullptr;
    HFONT regular_ = nullptr;
    FontHandle bold_;
    int rowHeight_ = 18;
    bool gridLines_ = false;
    bool checkBoxes_ = false;
    int guide_ = -1;
};

HeaderListState& StateOf(HWND handle) {
    HeaderListState* state = SelfOwnedControl<HeaderListState>::Of(handle);
    if (state == nullptr) {
        throw std::logic_error("not a header list");
    }
    return *state;
}

} // namespace

void RegisterHeaderListClass() { SelfOwnedControl<HeaderListState>::Register(kHeaderListClass); }

void THeaderList::Create(const HeaderListArgs& args) {
    RegisterEditorControls();
    const HWND handle = CreateWindowExW(0, kHeaderListClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                        args.x, args.y, args.width, args.height, args.parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                                        GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for a header list");
    }
    Attach(handle);
    Setup(args);
}

void THeaderList::Setup(const HeaderListArgs& args) {
    StateOf(Handle()).Setup(args);
    if (!args.hint.empty()) {
        SetHint(args.hint);
    }
}

void THeaderList::SetSections(const std::vector<HeaderSection>& sections) {
    StateOf(Handle()).SetSections(sections);
}
int THeaderList::SectionCount() const {
    return static_cast<int>(SendMessageW(HeaderHandle(), HDM_GETITEMCOUNT, 0, 0));
}
int THeaderList::SectionWidth(int section) const { return StateOf(Handle()).SectionWidth(section); }
void THeaderList::SetSectionWidth(int section, int width) {
    StateOf(Handle()).SetSectionWidth(section, width);
}

void THeaderList::SetRows(std::vector<ListRow> rows) {
    const int count = static_cast<int>(rows.size());
    StateOf(Handle()).SetRows(count, [rows = std::move(rows)](int row) {
        return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)]
                                                               : ListRow{};
    });
}
void THeaderList::SetRowSource(int count, RowSource source) {
    StateOf(Handle()).SetRows(count, std::move(source));
}
void THeaderList::SetRowCount(int count) { StateOf(Handle()).SetRowCount(count); }
int THeaderList::RowCount() const { return StateOf(Handle()).RowCount(); }
void THeaderList::SetRowPainter(RowPainter painter) {
    StateOf(Handle()).SetPainter(std::move(painter));
}
int THeaderList::Selected() const { return StateOf(Handle()).Selected(); }
void THeaderList::Select(int row) { StateOf(Handle()).Select(row); }
bool THeaderList::Checked(int row) const { return StateOf(Handle()).Checked(row); }
void THeaderList::SetChecked(int row, bool checked) { StateOf(Handle()).SetChecked(row, checked); }
HWND THeaderList::HeaderHandle() const { return StateOf(Handle()).HeaderHandle(); }
HWND THeaderList::ListHandle() const { return StateOf(Handle()).ListHandle(); }
RECT THeaderList::RowRect(int row) const { return StateOf(Handle()).RowRect(row); }
int THeaderList::GuideLine() const { return StateOf(Handle()).GuideLine(); }

} // namespace miravo
