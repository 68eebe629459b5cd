#pragma once

#include "editor/widgets/Handles.h"

#include <string_view>

namespace miravo {

// A font of the user interface in points of the screen.
FontHandle CreateUiFont(std::wstring_view face, int points, bool bold = false);

// Fills rect with a two-colour gradient, top to bottom or left to right.
void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical);

// Paints the part of the parent's background that lies under a child, so that the child can draw
// itself over it as if it were transparent (the parent answers WM_ERASEBKGND).
void PaintParentBackground(HWND child, HDC dc);

} // namespace miravo
