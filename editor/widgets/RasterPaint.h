#pragma once

#include "picture/Raster.h"
#include "vintara/Win32.h"

namespace miravo {

// Paints `raster` scaled into `target` with halftone stretching (smooth when shrinking, as the
// previews are). The raster's rows are a DIB's rows already, so nothing is copied. Never throws.
void PaintRasterScaled(HDC dc, const RECT& target, const CRaster& raster);

} // namespace miravo
