#include "picture/PngWriter.h"

#include <png.h>

#include <stdexcept>
#include <vector>

namespace miravo {
namespace {

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void Flush(png_structp) {}
[[noreturn]] void Fail(png_structp, png_const_charp message) {
    throw std::runtime_error(std::string("PNG: ") + message);
}
void Warn(png_structp, png_const_charp) {}

} // namespace

std::string EncodePngRaster(const CRaster& raster) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Warn);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("PNG: out of memory");
    }
    try {
        png_set_write_fn(png, &out, WriteBytes, Flush);
        png_set_IHDR(png, info, png_uint_32(raster.Width()), png_uint_32(raster.Height()), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_set_bgr(png); // the raster holds blue, green, red
        for (int y = 0; y < raster.Height(); ++y)
            png_write_row(png, const_cast<png_bytep>(raster.Row(y)));
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace miravo
