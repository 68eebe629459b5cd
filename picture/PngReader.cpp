// PNG through libpng. libpng reports errors by longjmp; the functions that call it hold only
// plain values, so the jump never skips a destructor. C++ objects (the raster, the messages) are
// made between the steps, outside any frame that a jump can cross.
#include "picture/PictureReaders.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>

namespace miravo {
namespace {

struct PngInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
    char error[160]; // libpng's own message, for the detail in ours
};

extern "C" void PngRead(png_structp png, png_bytep out, png_size_t length) {
    auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
    if (length > input->size - input->position)
        png_error(png, "the file ends early");
    std::memcpy(out, input->data + input->position, length);
    input->position += length;
}

extern "C" void PngFail(png_structp png, png_const_charp message) {
    auto* input = static_cast<PngInput*>(png_get_error_ptr(png));
    std::snprintf(input->error, sizeof input->error, "%s", message);
    png_longjmp(png, 1);
}

extern "C" void PngWarn(png_structp, png_const_charp) {}

struct PngFormat {
    png_uint_32 width;
    png_uint_32 height;
    int channels; // 3 or 4 after the conversion
};

// The header alone: the sizes are checked before libpng allocates anything for the rows.
bool ReadPngHeader(png_structp png, png_infop info, PngFormat* format) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX); // ours come right after
    png_read_info(png, info);
    format->width = png_get_image_width(png, info);
    format->height = png_get_image_height(png, info);
    const int type = png_get_color_type(png, info);
    const bool alpha =
        (type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    format->channels = alpha ? 4 : 3;
    return true;
}

// Sets up the conversion to 8-bit blue-green-red (and alpha) from any colour type.
bool SetPngConversion(png_structp png, png_infop info, const PngFormat* format) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_expand(png); // palette, grey below 8 bits, tRNS
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_channels(png, info) == format->channels &&
           png_get_rowbytes(png, info) ==
               std::size_t(format->width) * std::size_t(format->channels);
}

bool ReadPngRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    return true; // what follows the pixels is not needed: a missing end chunk is no harm
}

class PngReadStruct {
public:
    explicit PngReadStruct(PngInput& input) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &input, PngFail, PngWarn);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
            png_set_read_fn(png_, &input, PngRead);
        }
    }
    ~PngReadStruct() {
        png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
    }
    PngReadStruct(const PngReadStruct&) = delete;
    PngReadStruct& operator=(const PngReadStruct&) = delete;
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

} // namespace

CPicture ReadPng(std::string_view bytes, const std::string& name, const PictureLimits& limits) {
    PngInput input{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), 0, ""};
    PngReadStruct reader(input);
    if (reader.Png() == nullptr || reader.Info() == nullptr)
        throw std::bad_alloc();
    PngFormat format{};
    if (!ReadPngHeader(reader.Png(), reader.Info(), &format))
        picture_detail::ThrowDamaged(name, input.error);
    CheckPictureSize(format.width, format.height, name, limits);
    if (!SetPngConversion(reader.Png(), reader.Info(), &format))
        picture_detail::ThrowDamaged(name, input.error[0] != 0 ? input.error : "PNG の色の形式");

    CPicture picture{CRaster(int(format.width), int(format.height)), std::nullopt};
    CRaster& raster = picture.raster;
    // Without alpha libpng writes straight into the raster; with it, into a buffer that is then
    // split into colours and alpha.
    std::vector<std::uint8_t> bgra;
    std::vector<png_bytep> rows(format.height);
    if (format.channels == 3) {
        for (int y = 0; y < raster.Height(); ++y)
            rows[std::size_t(y)] = raster.Row(y);
    } else {
        bgra.resize(std::size_t(format.width) * 4 * format.height);
        for (std::size_t y = 0; y < format.height; ++y)
            rows[y] = bgra.data() + y * format.width * 4;
    }
    if (!ReadPngRows(reader.Png(), rows.data()))
        picture_detail::ThrowDamaged(name, input.error);

    if (format.channels == 4) {
        CAlphaMap& alpha = picture.alpha.emplace(raster.Width(), raster.Height());
        for (int y = 0; y < raster.Height(); ++y) {
            const std::uint8_t* in = rows[std::size_t(y)];
            std::uint8_t* out = raster.Row(y);
            std::uint8_t* a = alpha.Row(y);
            for (int x = 0; x < raster.Width(); ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
                a[x] = in[3];
            }
        }
    }
    return picture;
}

} // namespace miravo
