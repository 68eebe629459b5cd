#include "editor/widgets/RasterPaint.h"

#include "editor/widgets/Paint.h"

namespace miravo {

void PaintRasterScaled(HDC dc, const RECT& target, const CRaster& raster) {
    if (raster.Empty() || target.right <= target.left || target.bottom <= target.top)
        return;
    const BITMAPINFO info = TopDownDibInfo(raster.Width(), raster.Height());
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
