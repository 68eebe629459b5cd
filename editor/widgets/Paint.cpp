#include "editor/widgets/Paint.h"

#include <string>

namespace miravo {

BITMAPINFO TopDownDibInfo(int width, int height, WORD bitsPerPixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

FontHandle CreateUiFont(std::wstring_view face, int points, bool bold) {
    const WindowDc screen(nullptr);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&font));
}

void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical) {
    const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (length <= 0) {
        return;
    }
    // One band per pixel line: simple, exact, and without the msimg32 import.
    for (int i = 0; i < length; ++i) {
        const auto mix = [&](int a, int b) {
            return a + (b - a) * i / (length > 1 ? length - 1 : 1);
        };
        const COLORREF colour =
            RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                mix(GetBValue(from), GetBValue(to)));
        const RECT band = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                   : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        SetBkColor(dc, colour);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
    }
}

void PaintParentBackground(HWND child, HDC dc) {
    const HWND parent = GetParent(child);
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT previous{};
    OffsetWindowOrgEx(dc, origin.x, origin.y, &previous);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
}

} // namespace miravo
