#include "picture/Raster.h"

#include <algorithm>

namespace miravo {

CRaster::CRaster(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), stride_(StrideFor(width_)),
      pixels_(stride_ * std::size_t(height_), 0) {
    if (width_ == 0 || height_ == 0) {
        width_ = height_ = 0;
        stride_ = 0;
        pixels_.clear();
    }
}

std::uint32_t CRaster::ColorAt(int x, int y) const {
    const std::uint8_t* p = Pixel(x, y);
    return std::uint32_t(p[2]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[0]) << 16;
}

void CRaster::SetColor(int x, int y, std::uint32_t color) {
    std::uint8_t* p = Pixel(x, y);
    p[0] = std::uint8_t(color >> 16);
    p[1] = std::uint8_t(color >> 8);
    p[2] = std::uint8_t(color);
}

void CRaster::Fill(std::uint32_t color) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            SetColor(x, y, color);
}

CAlphaMap::CAlphaMap(int width, int height, std::uint8_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      values_(std::size_t(width_) * std::size_t(height_), fill) {}

CAlphaMap CAlphaMap::Inverted() const {
    CAlphaMap result = *this;
    for (std::uint8_t& value : result.values_)
        value = std::uint8_t(255 - value);
    return result;
}

} // namespace miravo
