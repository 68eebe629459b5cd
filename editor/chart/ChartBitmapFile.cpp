#include "editor/chart/ChartBitmapFile.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"

#include <algorithm>
#include <string>
#include <vector>

namespace miravo {

namespace {
constexpr std::uint64_t kHeaderBytes = 14 + 40;

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}
void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}
} // namespace

std::size_t BmpRowBytes(int width) {
    return ((static_cast<std::size_t>(std::max(width, 0)) * 3) + 3) & ~std::size_t{3};
}

bool BmpCanHold(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    return kHeaderBytes + std::uint64_t{BmpRowBytes(width)} * static_cast<std::uint64_t>(height) <=
           0xFFFFFFFFull;
}

void WriteBmp24(const std::filesystem::path& path, int width, int height, int bandRows,
                const ChartBandPainter& paint) {
    if (!BmpCanHold(width, height)) {
        throw EditorError("チャートが大きすぎるため BMP ファイルに保存できません.");
    }
    const std::size_t rowBytes = BmpRowBytes(width);
    const auto imageBytes = static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(height));
    std::string header;
    Put16(header, 0x4D42); // "BM"
    Put32(header, static_cast<std::uint32_t>(kHeaderBytes) + imageBytes);
    Put32(header, 0);
    Put32(header, static_cast<std::uint32_t>(kHeaderBytes));
    Put32(header, 40);
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height)); // positive: rows from the bottom
    Put16(header, 1);
    Put16(header, 24);
    Put32(header, 0); // BI_RGB
    Put32(header, imageBytes);
    Put32(header, 2835); // 72 dots per inch
    Put32(header, 2835);
    Put32(header, 0);
    Put32(header, 0);
    AtomicFileWriter file(path);
    file.Write(header);
    bandRows = std::clamp(bandRows, 1, height);
    std::vector<std::uint8_t> band(rowBytes * static_cast<std::size_t>(bandRows));
    std::string flipped;
    // The file holds the bottom row first: bands from the bottom, each written upside down.
    for (int bottom = height; bottom > 0; bottom -= bandRows) {
        const int top = std::max(bottom - bandRows, 0);
        const int rows = bottom - top;
        std::fill(band.begin(), band.end(), std::uint8_t{0});
        paint(top, rows, band.data(), rowBytes);
        flipped.clear();
        for (int row = rows - 1; row >= 0; --row) {
            flipped.append(reinterpret_cast<const char*>(band.data()) + row * rowBytes, rowBytes);
        }
        file.Write(flipped);
    }
    file.Commit();
}

} // namespace miravo
