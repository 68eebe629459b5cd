#pragma once

#include "tools/samplegen/Raster.h"

#include <string>

// The picture formats a novel uses, encoded in memory.
namespace miravo::samplegen {

// 24-bit BMP, rows from the bottom; alpha is dropped.
std::string EncodeBmp(const Image& image);
// PNG, RGBA when withAlpha, else RGB.
std::string EncodePng(const Image& image, bool withAlpha);
// Baseline JPEG of the colours; alpha is dropped.
std::string EncodeJpeg(const Image& image, int quality);

} // namespace miravo::samplegen
