#include "tools/samplegen/ImageFiles.h"

#include <cstdio>
#include <jpeglib.h>
#include <png.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace miravo::samplegen {

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::vector<std::uint8_t> RgbRows(const Image& image) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t(image.Width()) * std::size_t(image.Height()) * 3);
    const std::vector<std::uint8_t>& rgba = image.Rgba();
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    return rgb;
}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void PngFlush(png_structp) {}

[[noreturn]] void PngError(png_structp, png_const_charp message) {
    throw std::runtime_error(std::string("PNG: ") + message);
}

void PngWarning(png_structp, png_const_charp) {}

} // namespace

std::string EncodeBmp(const Image& image) {
    const std::uint32_t rowSize = (std::uint32_t(image.Width()) * 3 + 3) & ~3u;
    const std::uint32_t dataSize = rowSize * std::uint32_t(image.Height());
    std::string out = "BM";
    PutLe(out, 54 + dataSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4); // BITMAPINFOHEADER
    PutLe(out, std::uint32_t(image.Width()), 4);
    PutLe(out, std::uint32_t(image.Height()), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, dataSize, 4);
    PutLe(out, 2835, 4); // 72 dpi
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < image.Width(); ++x, written += 3) {
            Color c = image.At(x, y);
            out.push_back(static_cast<char>(c.b));
            out.push_back(static_cast<char>(c.g));
            out.push_back(static_cast<char>(c.r));
        }
        out.append(rowSize - written, '\0');
    }
    return out;
}

std::string EncodePng(const Image& image, bool withAlpha) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("PNG: out of memory");
    }
    try {
        std::vector<std::uint8_t> rgb;
        const std::uint8_t* pixels = image.Rgba().data();
        std::size_t stride = std::size_t(image.Width()) * 4;
        if (!withAlpha) {
            rgb = RgbRows(image);
            pixels = rgb.data();
            stride = std::size_t(image.Width()) * 3;
        }
        png_set_write_fn(png, &out, PngWrite, PngFlush);
        png_set_IHDR(png, info, png_uint_32(image.Width()), png_uint_32(image.Height()), 8,
                     withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < image.Height(); ++y)
            png_write_row(png, const_cast<png_bytep>(pixels + stride * std::size_t(y)));
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

namespace {

struct JpegErrorManager {
    jpeg_error_mgr base;
};

[[noreturn]] void JpegError(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, message);
    throw std::runtime_error(std::string("JPEG: ") + message);
}

} // namespace

std::string EncodeJpeg(const Image& image, int quality) {
    jpeg_compress_struct cinfo{};
    JpegErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> rgb = RgbRows(image);
    try {
        jpeg_create_compress(&cinfo);
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = JDIMENSION(image.Width());
        cinfo.image_height = JDIMENSION(image.Height());
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = &rgb[std::size_t(cinfo.next_scanline) * std::size_t(image.Width()) * 3];
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
    } catch (...) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        throw;
    }
    std::string out(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

} // namespace miravo::samplegen
