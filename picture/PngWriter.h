#pragma once

#include "picture/Raster.h"

#include <string>

// A raster as PNG bytes (24-bit colour), for screenshots a person or a test looks at.
namespace miravo {

std::string EncodePngRaster(const CRaster& raster);

} // namespace miravo
