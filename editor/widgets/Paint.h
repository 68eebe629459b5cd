#pragma once

#include "editor/widgets/Handles.h"

#include <string_view>

namespace miravo {

// A picture with rows from the top (rows padded to four bytes), as the chart and the previews
// keep their pixels (24-bit) and image lists take them with alpha (32-bit).
BITMAPINFO TopDownDibInfo(int width, int height, WORD bitsPerPixel = 24);

// A memory DC with a bitmap selected into it for its life.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, bitmap)) {}
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    ~BitmapDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A font of the user interface in points of the screen.
FontHandle CreateUiFont(std::wstring_view face, int points, bool bold = false);

// Fills rect with a two-colour gradient, top to bottom or left to right.
void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical);

// Paints the part of the parent's background that lies under a child, so that the child can draw
// itself over it as if it were transparent (the parent answers WM_ERASEBKGND).
void PaintParentBackground(HWND child, HDC dc);

} // namespace miravo
