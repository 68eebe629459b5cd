#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Pictures in memory: every picture the editor shows is first turned into this one form, so the
// raster routines, the fade blend and the painters deal with a single layout.
namespace miravo {

// 24 bits a pixel, blue-green-red, rows from the top. Rows are padded to 4 bytes, as a DIB's
// are, so that the pixels can be handed to GDI as they stand.
class CRaster {
public:
    CRaster() = default;
    CRaster(int width, int height); // black; sizes below 0 count as 0

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Stride() const { return stride_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* Row(int y) { return pixels_.data() + std::size_t(y) * stride_; }
    const std::uint8_t* Row(int y) const { return pixels_.data() + std::size_t(y) * stride_; }
    std::uint8_t* Pixel(int x, int y) { return Row(y) + std::size_t(x) * 3; }
    const std::uint8_t* Pixel(int x, int y) const { return Row(y) + std::size_t(x) * 3; }
    const std::uint8_t* Bits() const { return pixels_.data(); }

    // A colour as Windows writes it, 0x00BBGGRR.
    std::uint32_t ColorAt(int x, int y) const;
    void SetColor(int x, int y, std::uint32_t color);
    void Fill(std::uint32_t color);

    static std::size_t StrideFor(int width) {
        return (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    }

    friend bool operator==(const CRaster&, const CRaster&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
};

// One byte a pixel, rows from the top, no padding: a PNG's alpha, or the transparency map that
// AlphaBlit takes (its inverse).
class CAlphaMap {
public:
    CAlphaMap() = default;
    CAlphaMap(int width, int height, std::uint8_t fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint8_t* Row(int y) { return values_.data() + std::size_t(y) * std::size_t(width_); }
    const std::uint8_t* Row(int y) const {
        return values_.data() + std::size_t(y) * std::size_t(width_);
    }
    std::uint8_t At(int x, int y) const { return Row(y)[x]; }

    // 255 - value everywhere: alpha (255 = opaque) to transparency (255 = see-through).
    CAlphaMap Inverted() const;

    friend bool operator==(const CAlphaMap&, const CAlphaMap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> values_;
};

// A picture as read from a file: the colours, and the alpha channel when the file has one.
struct CPicture {
    CRaster raster;
    std::optional<CAlphaMap> alpha;
};

} // namespace miravo
