#pragma once

#include "picture/Raster.h"

#include <optional>
#include <string>

// Picture files of every kind the readers take, written from a raster by the tests' own
// encoders, so that each decoded pixel can be compared with the one it came from.
namespace miravo::test {

// A raster with a pattern the readers can get wrong in each direction (rows, columns, channels).
CRaster PatternRaster(int width, int height, int colors = 0); // colors > 0: that many colours
// Channels quantised to 5 bits (BMP 16-bit round trip).
CRaster Quantised555(const CRaster& raster);

enum class BmpHeader { Core, Info, InfoBitFields, V5 };
// bits 1, 4, 8 (palette of the raster's colours), 16, 24, 32.
std::string EncodeBmp(const CRaster& raster, int bits, bool topDown = false,
                      BmpHeader header = BmpHeader::Info);

enum class PngKind { Grey, GreyAlpha, Rgb, RgbAlpha, Palette, PaletteTrns, RgbTrns, Grey1 };
std::string EncodePng(const CRaster& raster, const std::optional<CAlphaMap>& alpha, PngKind kind,
                      int depth = 8, bool interlaced = false);

enum class JpegKind { Grey, Colour, Cmyk, Progressive };
std::string EncodeJpeg(const CRaster& raster, JpegKind kind, int quality = 95);

// The greatest channel difference between two rasters of the same size (-1: sizes differ).
int MaxDifference(const CRaster& a, const CRaster& b);
double MeanDifference(const CRaster& a, const CRaster& b);

} // namespace miravo::test
