#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace miravo {

// Paints rows top to bottom of a 24-bit picture (blue, green, red; rows `stride` bytes apart)
// into `pixels`: rows `top` to `top + rows - 1` of the whole.
using ChartBandPainter =
    std::function<void(int top, int rows, std::uint8_t* pixels, std::size_t stride)>;

// Bytes of one BMP row of 24-bit pixels: padded to four.
std::size_t BmpRowBytes(int width);
// Whether a 24-bit BMP file can hold a picture of that size: its sizes are 32-bit fields.
bool BmpCanHold(int width, int height);

// Writes a 24-bit bottom-up BMP file, asking the painter for bands of at most `bandRows` rows,
// so that a picture larger than memory allows never exists whole. A size the format cannot hold
// raises EditorError; a file that cannot be written raises FileWriteError and leaves any old file.
void WriteBmp24(const std::filesystem::path& path, int width, int height, int bandRows,
                const ChartBandPainter& paint);

} // namespace miravo
