#include "editor/widgets/RasterPaint.h"

namespace miravo {

void PaintRasterScaled(HDC dc, const RECT& target, const CRaster& raster) {
    if (raster.Empty() || target.right <= target.left || target.bottom <= target.top)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = raster.Width();
    info.bmiHeader.biHeight = -raster.Height(); // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin); // HALFTONE needs it reset after the mode is set
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, raster.Width(), raster.Height(), raster.Bits(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

} // namespace miravo
