#include "PictureFiles.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <map>
#include <png.h>
#include <vector>

namespace miravo::test {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

int Grey(const std::uint8_t* p) { return (p[0] + p[1] + p[2]) / 3; }

} // namespace

CRaster PatternRaster(int width, int height, int colors) {
    CRaster raster(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = raster.Pixel(x, y);
            if (colors > 0) {
                const int index = (x * 7 + y * 3) % colors;
                p[0] = std::uint8_t(index * 37);
                p[1] = std::uint8_t(255 - index * 11);
                p[2] = std::uint8_t(index * 89 + 5);
            } else {
                p[0] = std::uint8_t(x * 255 / std::max(width - 1, 1));
                p[1] = std::uint8_t(y * 255 / std::max(height - 1, 1));
                p[2] = std::uint8_t((x * 13 + y * 29) & 0xFF);
            }
        }
    return raster;
}

CRaster Quantised555(const CRaster& raster) {
    CRaster out = raster;
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            for (int c = 0; c < 3; ++c) {
                const int v = (out.Pixel(x, y)[c] * 31 + 127) / 255;
                out.Pixel(x, y)[c] = std::uint8_t((v * 255 + 15) / 31);
            }
    return out;
}

std::string EncodeBmp(const CRaster& raster, int bits, bool topDown, BmpHeader header) {
    const int w = raster.Width(), h = raster.Height();
    std::vector<std::uint32_t> palette;
    std::map<std::uint32_t, int> index;
    if (bits <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (index.emplace(raster.ColorAt(x, y), int(palette.size())).second)
                    palette.push_back(raster.ColorAt(x, y));
        if (palette.size() > (1u << bits))
            std::abort();
    }
    const bool core = header == BmpHeader::Core;
    const bool fields = header == BmpHeader::InfoBitFields || header == BmpHeader::V5;
    const std::uint32_t headerSize = core ? 12 : header == BmpHeader::V5 ? 124 : 40;
    const std::uint32_t masksSize = fields && header == BmpHeader::InfoBitFields ? 12 : 0;
    const std::uint32_t paletteSize = std::uint32_t(palette.size()) * (core ? 3 : 4);
    const std::uint32_t rowBytes = (std::uint32_t(w) * std::uint32_t(bits) + 31) / 32 * 4;
    const std::uint32_t offset = 14 + headerSize + masksSize + paletteSize;
    std::string out = "BM";
    Put(out, offset + rowBytes * std::uint32_t(h), 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, headerSize, 4);
    // 16-bit with fields: 5-6-5; 32-bit with fields: blue in the high byte, to tell masks apart.
    const std::uint32_t r = bits == 16 ? 0xF800 : 0x0000FF00, g = bits == 16 ? 0x07E0 : 0x00FF0000,
                        b = bits == 16 ? 0x001F : 0xFF000000;
    if (core) {
        Put(out, std::uint32_t(w), 2);
        Put(out, std::uint32_t(h), 2);
        Put(out, 1, 2);
        Put(out, std::uint32_t(bits), 2);
    } else {
        Put(out, std::uint32_t(w), 4);
        Put(out, std::uint32_t(topDown ? -h : h), 4);
        Put(out, 1, 2);
        Put(out, std::uint32_t(bits), 2);
        Put(out, fields ? 3 : 0, 4);
        Put(out, rowBytes * std::uint32_t(h), 4);
        Put(out, 2835, 4);
        Put(out, 2835, 4);
        Put(out, std::uint32_t(palette.size()), 4);
        Put(out, 0, 4);
        if (fields) {
            Put(out, r, 4);
            Put(out, g, 4);
            Put(out, b, 4);
        }
        if (header == BmpHeader::V5) {
            Put(out, 0, 4); // alpha mask
            out.append(124 - 56, '\0');
        }
    }
    for (std::uint32_t color : palette) {
        Put(out, (color >> 16 & 0xFF) | (color & 0xFF00) | (color & 0xFF) << 16, 3);
        if (!core)
            out.push_back('\0');
    }
    const auto field = [](std::uint32_t mask, int value) {
        const int shift = __builtin_ctz(mask);
        const std::uint32_t max = mask >> shift;
        return ((std::uint32_t(value) * max + 127) / 255) << shift;
    };
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        std::string line(rowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = raster.Pixel(x, y);
            if (bits <= 8) {
                const int i = index[raster.ColorAt(x, y)];
                const int perByte = 8 / bits;
                line[std::size_t(x / perByte)] |= char(i << (8 - bits * (x % perByte + 1)));
            } else if (bits == 24) {
                line.replace(std::size_t(x) * 3, 3, reinterpret_cast<const char*>(p), 3);
            } else {
                std::uint32_t value = 0;
                if (bits == 16 && !fields)
                    value = field(0x7C00, p[2]) | field(0x03E0, p[1]) | field(0x001F, p[0]);
                else if (bits == 32 && !fields)
                    value = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                            std::uint32_t(p[2]) << 16 | 0xFF000000u;
                else
                    value = field(r, p[2]) | field(g, p[1]) | field(b, p[0]);
                for (int i = 0; i < bits / 8; ++i)
                    line[std::size_t(x * (bits / 8) + i)] = char(value >> (8 * i));
            }
        }
        out += line;
    }
    return out;
}

namespace {

void PngWriteData(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void PngFlush(png_structp) {}
void PngAbort(png_structp, png_const_charp message) {
    std::fprintf(stderr, "test PNG encoder: %s\n", message);
    std::abort();
}

} // namespace

std::string EncodePng(const CRaster& raster, const std::optional<CAlphaMap>& alpha, PngKind kind,
                      int depth, bool interlaced) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngAbort, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, PngWriteData, PngFlush);
    const int w = raster.Width(), h = raster.Height();
    int type = PNG_COLOR_TYPE_RGB, channels = 3;
    switch (kind) {
    case PngKind::Grey:
    case PngKind::Grey1: type = PNG_COLOR_TYPE_GRAY, channels = 1; break;
    case PngKind::GreyAlpha: type = PNG_COLOR_TYPE_GRAY_ALPHA, channels = 2; break;
    case PngKind::Rgb:
    case PngKind::RgbTrns: break;
    case PngKind::RgbAlpha: type = PNG_COLOR_TYPE_RGB_ALPHA, channels = 4; break;
    case PngKind::Palette:
    case PngKind::PaletteTrns: type = PNG_COLOR_TYPE_PALETTE, channels = 1; break;
    }
    if (kind == PngKind::Grey1)
        depth = 1;
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), depth, type,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::map<std::uint32_t, int> index;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    if (type == PNG_COLOR_TYPE_PALETTE) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t key =
                    raster.ColorAt(x, y) | (alpha ? std::uint32_t(alpha->At(x, y)) << 24 : 0);
                if (index.emplace(key, int(palette.size())).second) {
                    const std::uint8_t* p = raster.Pixel(x, y);
                    palette.push_back({p[2], p[1], p[0]});
                    paletteAlpha.push_back(alpha ? alpha->At(x, y) : 255);
                }
            }
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
        if (kind == PngKind::PaletteTrns)
            png_set_tRNS(png, info, paletteAlpha.data(), int(paletteAlpha.size()), nullptr);
    }
    if (kind == PngKind::RgbTrns) { // the top-left colour is transparent
        const std::uint8_t* p = raster.Pixel(0, 0);
        png_color_16 key{};
        key.red = p[2], key.green = p[1], key.blue = p[0];
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    if (depth < 8)
        png_set_packing(png);
    if (depth == 16)
        png_set_swap(png); // samples below are written little-endian
    const int bytesPerSample = depth == 16 ? 2 : 1;
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        std::vector<png_byte>& row = rows[std::size_t(y)];
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = raster.Pixel(x, y);
            std::vector<int> samples;
            switch (channels) {
            case 1:
                if (type == PNG_COLOR_TYPE_PALETTE)
                    samples = {index[raster.ColorAt(x, y) |
                                     (alpha ? std::uint32_t(alpha->At(x, y)) << 24 : 0)]};
                else
                    samples = {depth == 1 ? Grey(p) >> 7 : Grey(p)};
                break;
            case 2: samples = {Grey(p), alpha ? alpha->At(x, y) : 255}; break;
            case 3: samples = {p[2], p[1], p[0]}; break;
            default: samples = {p[2], p[1], p[0], alpha ? alpha->At(x, y) : 255};
            }
            for (int s : samples) {
                if (bytesPerSample == 2) {
                    row.push_back(png_byte(s)); // low byte: the reader keeps only the high one
                    row.push_back(png_byte(s));
                } else {
                    row.push_back(png_byte(s));
                }
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string EncodeJpeg(const CRaster& raster, JpegKind kind, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(raster.Width());
    info.image_height = JDIMENSION(raster.Height());
    info.input_components = kind == JpegKind::Grey ? 1 : kind == JpegKind::Cmyk ? 4 : 3;
    info.in_color_space = kind == JpegKind::Grey   ? JCS_GRAYSCALE
                          : kind == JpegKind::Cmyk ? JCS_CMYK
                                                   : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (kind == JpegKind::Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(raster.Width()) * 4);
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < raster.Width(); ++x) {
            const std::uint8_t* p = raster.Pixel(x, y);
            const std::size_t n = std::size_t(info.input_components);
            if (kind == JpegKind::Grey)
                row[std::size_t(x)] = std::uint8_t(Grey(p));
            else if (kind == JpegKind::Cmyk)
                for (std::size_t c = 0; c < 4; ++c)
                    row[std::size_t(x) * n + c] = c < 3 ? 255 - p[2 - c] : 255;
            else
                for (std::size_t c = 0; c < 3; ++c)
                    row[std::size_t(x) * n + c] = p[2 - c];
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

int MaxDifference(const CRaster& a, const CRaster& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return -1;
    int most = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                most = std::max(most, std::abs(a.Pixel(x, y)[c] - b.Pixel(x, y)[c]));
    return most;
}

double MeanDifference(const CRaster& a, const CRaster& b) {
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                sum += std::abs(a.Pixel(x, y)[c] - b.Pixel(x, y)[c]);
    return sum / (3.0 * std::max(1, a.Width() * a.Height()));
}

} // namespace miravo::test
