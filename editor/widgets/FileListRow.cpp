#include "editor/widgets/FileListRow.h"

#include <string>

namespace miravo {

FileListRowPainter::FileListRowPainter(HFONT regular, FileRowOffsets offsets)
    : regular_(regular != nullptr ? regular : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
      offsets_(offsets) {
    LOGFONTW font{};
    GetObjectW(regular_, sizeof font, &font);
    font.lfWeight = FW_BOLD;
    bold_.Reset(CreateFontIndirectW(&font));
}

void FileListRowPainter::Paint(HDC dc, const RECT& row, std::wstring_view entry,
                               bool selected) const {
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
    const std::size_t slash = entry.rfind(L'\\');
    const std::size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    const std::wstring_view folder = entry.substr(0, nameStart);
    const std::wstring_view name = entry.substr(nameStart);
    const int x = row.left + offsets_.left;
    const int y = row.top + offsets_.top;
    SetBkMode(dc, TRANSPARENT);
    int folderWidth = 0;
    if (!folder.empty()) {
        const SelectScope bold(dc, bold_ ? bold_.Get() : regular_);
        SIZE size{};
        GetTextExtentPoint32W(dc, folder.data(), int(folder.size()), &size);
        ExtTextOutW(dc, x, y, ETO_CLIPPED, &row, folder.data(), UINT(folder.size()), nullptr);
        folderWidth = size.cx;
    }
    const SelectScope regular(dc, regular_);
    ExtTextOutW(dc, x + folderWidth, y, ETO_CLIPPED, &row, name.data(), UINT(name.size()), nullptr);
}

void FileListRowPainter::Paint(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == UINT(-1))
        return;
    const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    std::wstring text(length > 0 ? std::size_t(length) : 0, L'\0');
    if (length > 0)
        SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    Paint(item.hDC, item.rcItem, text, (item.itemState & ODS_SELECTED) != 0);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &item.rcItem);
}

} // namespace miravo
