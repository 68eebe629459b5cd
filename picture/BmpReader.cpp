// Windows bitmaps: the core header (OS/2 1.x) and the info headers up to version 5, uncompressed
// or with bit-field masks. Run-length compressed bitmaps are refused with a message.
#include "picture/PictureReaders.h"

#include <algorithm>
#include <array>
#include <bit>

namespace miravo {
namespace {

using picture_detail::ThrowDamaged;

std::uint32_t Le(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

// A bit-field mask turned into "shift, then scale to 8 bits".
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0; // mask >> shift

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            max = mask >> shift;
        }
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (max == 0)
            return 0;
        return std::uint8_t((std::uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // positive: rows from the bottom
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteAt = 0;
    int paletteEntrySize = 4;
    std::array<Channel, 3> masks; // red, green, blue
};

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

Header ReadHeader(std::string_view bytes, const std::string& name) {
    if (bytes.size() < 14 + 12)
        ThrowDamaged(name, "ヘッダーが足りません");
    Header h;
    const std::uint32_t headerSize = Le(bytes, 14, 4);
    if (headerSize == 12) { // BITMAPCOREHEADER
        h.width = Le(bytes, 18, 2);
        h.height = Le(bytes, 20, 2);
        h.bits = int(Le(bytes, 24, 2));
        h.paletteAt = 14 + 12;
        h.paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (bytes.size() < 14 + std::size_t(headerSize))
            ThrowDamaged(name, "ヘッダーが足りません");
        h.width = std::int32_t(Le(bytes, 18, 4));
        h.height = std::int32_t(Le(bytes, 22, 4));
        h.bits = int(Le(bytes, 28, 2));
        h.compression = Le(bytes, 30, 4);
        h.colorsUsed = Le(bytes, 46, 4);
        h.paletteAt = 14 + std::size_t(headerSize);
        if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            // The masks follow a 40-byte header; longer headers hold them inside.
            const std::size_t at = 14 + 40;
            const std::size_t count = h.compression == kAlphaBitFields ? 4 : 3;
            if (bytes.size() < at + 4 * count)
                ThrowDamaged(name, "ヘッダーが足りません");
            for (std::size_t i = 0; i < 3; ++i)
                h.masks[i] = Channel(Le(bytes, at + 4 * i, 4));
            if (headerSize == 40)
                h.paletteAt = at + 4 * count;
        }
    } else {
        ThrowDamaged(name, "ヘッダーの大きさ " + std::to_string(headerSize));
    }
    if (h.compression == kRle8 || h.compression == kRle4)
        ThrowDamaged(name, "ランレングス圧縮のビットマップ");
    if (h.compression != kRgb && h.compression != kBitFields && h.compression != kAlphaBitFields)
        ThrowDamaged(name, "圧縮形式 " + std::to_string(h.compression));
    if (h.compression != kRgb && h.bits != 16 && h.bits != 32)
        ThrowDamaged(name, "ビットフィールドの色数");
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        ThrowDamaged(name, std::to_string(h.bits) + " ビットの画素");
    if (h.compression == kRgb) {
        if (h.bits == 16)
            h.masks = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
        else if (h.bits == 32)
            h.masks = {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
    }
    return h;
}

} // namespace

CPicture ReadBmp(std::string_view bytes, const std::string& name, const PictureLimits& limits) {
    if (!bytes.starts_with("BM"))
        ThrowDamaged(name, "BMP の印がありません");
    const Header h = ReadHeader(bytes, name);
    const std::int64_t height = h.height < 0 ? -h.height : h.height;
    CheckPictureSize(h.width, height, name, limits);

    // The palette, for up to 8 bits a pixel; indices beyond it give black.
    std::array<std::array<std::uint8_t, 3>, 256> palette{};
    const std::uint64_t offset = Le(bytes, 10, 4);
    if (h.bits <= 8) {
        const std::uint32_t full = 1u << h.bits;
        std::uint32_t count = h.colorsUsed == 0 || h.colorsUsed > full ? full : h.colorsUsed;
        // Some writers keep a shorter palette than the header says; the pixels start after it.
        if (offset > h.paletteAt)
            count = std::uint32_t(std::min<std::uint64_t>(
                count, (offset - h.paletteAt) / std::uint64_t(h.paletteEntrySize)));
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = h.paletteAt + std::size_t(i) * std::size_t(h.paletteEntrySize);
            if (at + 3 > bytes.size())
                ThrowDamaged(name, "パレットが足りません");
            palette[i] = {std::uint8_t(bytes[at]), std::uint8_t(bytes[at + 1]),
                          std::uint8_t(bytes[at + 2])};
        }
    }

    const std::uint64_t rowBytes = (std::uint64_t(h.width) * std::uint64_t(h.bits) + 31) / 32 * 4;
    if (offset > bytes.size() || rowBytes * std::uint64_t(height) > bytes.size() - offset)
        ThrowDamaged(name, "画素のデータが足りません");

    CPicture picture{CRaster(int(h.width), int(height)), std::nullopt};
    CRaster& raster = picture.raster;
    const int width = raster.Width();
    for (int row = 0; row < raster.Height(); ++row) {
        const int y = h.height < 0 ? row : raster.Height() - 1 - row;
        const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset +
                         std::size_t(row) * std::size_t(rowBytes);
        std::uint8_t* out = raster.Row(y);
        for (int x = 0; x < width; ++x, out += 3) {
            switch (h.bits) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / h.bits;
                const int shift = 8 - h.bits * (x % perByte + 1);
                const unsigned index = (in[x / perByte] >> shift) & ((1u << h.bits) - 1);
                out[0] = palette[index][0];
                out[1] = palette[index][1];
                out[2] = palette[index][2];
                break;
            }
            case 24:
                out[0] = in[3 * x];
                out[1] = in[3 * x + 1];
                out[2] = in[3 * x + 2];
                break;
            default: {
                const std::size_t size = std::size_t(h.bits / 8);
                std::uint32_t pixel = 0;
                for (std::size_t i = size; i-- > 0;)
                    pixel = pixel << 8 | in[size * std::size_t(x) + i];
                out[0] = h.masks[2].Of(pixel);
                out[1] = h.masks[1].Of(pixel);
                out[2] = h.masks[0].Of(pixel);
            }
            }
        }
    }
    return picture;
}

} // namespace miravo
