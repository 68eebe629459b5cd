// JPEG through libjpeg(-turbo). As with PNG, libjpeg's errors arrive by longjmp: the functions
// that call it hold plain values only, and C++ objects are made between the steps.
#include "picture/PictureReaders.h"

#include "picture/PictureError.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include <jerror.h> // after jpeglib.h, which it needs

namespace miravo {
namespace {

// A progressive file can hold thousands of tiny scans that each cost a pass over the picture;
// real files have a few dozen.
constexpr int kMaxScans = 1000;

struct JpegFailure {
    jpeg_error_mgr manager; // first: libjpeg hands this pointer back to the handlers
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool endedEarly;
};

extern "C" void JpegFail(j_common_ptr info) {
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    failure->manager.format_message(info, failure->message);
    std::longjmp(failure->jump, 1);
}

// Warnings are mostly harmless (stray bytes between markers); a file that ends before its
// pixels do is not, because libjpeg would fill the rest with grey and say nothing.
extern "C" void JpegMessage(j_common_ptr info, int level) {
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    if (level < 0 && failure->manager.msg_code == JWRN_JPEG_EOF)
        failure->endedEarly = true;
}

extern "C" void JpegProgress(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans) {
        auto* failure = reinterpret_cast<JpegFailure*>(info->err);
        std::snprintf(failure->message, sizeof failure->message, "more than %d scans", kMaxScans);
        std::longjmp(failure->jump, 1);
    }
}

struct JpegFormat {
    JDIMENSION width;
    JDIMENSION height;
    bool cmyk;
};

bool ReadJpegHeader(jpeg_decompress_struct* info, JpegFailure* failure, JpegFormat* format) {
    if (setjmp(failure->jump))
        return false;
    jpeg_read_header(info, TRUE);
    format->width = info->image_width;
    format->height = info->image_height;
    format->cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    return true;
}

// Decodes every row as blue-green-red (grey pictures too) into rows already allocated.
bool ReadJpegRows(jpeg_decompress_struct* info, JpegFailure* failure, std::uint8_t* first,
                  std::size_t stride) {
    if (setjmp(failure->jump))
        return false;
    info->out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(info);
    if (info->output_width != info->image_width || info->output_height != info->image_height ||
        info->output_components != 3)
        return false;
    while (info->output_scanline < info->output_height && !failure->endedEarly) {
        JSAMPROW row = first + std::size_t(info->output_scanline) * stride;
        jpeg_read_scanlines(info, &row, 1);
    }
    return !failure->endedEarly;
}

class JpegDecompressor {
public:
    JpegDecompressor(std::string_view bytes, JpegFailure& failure) {
        info_.err = jpeg_std_error(&failure.manager);
        failure.manager.error_exit = JpegFail;
        failure.manager.emit_message = JpegMessage;
        failure.message[0] = 0;
        failure.endedEarly = false;
        progress_.progress_monitor = JpegProgress;
        if (setjmp(failure.jump) == 0) {
            jpeg_create_decompress(&info_);
            created_ = true;
            info_.progress = &progress_;
            jpeg_mem_src(&info_, reinterpret_cast<const unsigned char*>(bytes.data()),
                         static_cast<unsigned long>(bytes.size())); // refuses no bytes
            ready_ = true;
        }
    }
    ~JpegDecompressor() {
        if (created_)
            jpeg_destroy_decompress(&info_);
    }
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;
    bool Created() const { return created_; }
    bool Ready() const { return ready_; }
    jpeg_decompress_struct* Info() { return &info_; }

private:
    jpeg_decompress_struct info_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
    bool ready_ = false;
};

} // namespace

CPicture ReadJpeg(std::string_view bytes, const std::string& name, const PictureLimits& limits) {
    JpegFailure failure{};
    JpegDecompressor decompressor(bytes, failure);
    if (!decompressor.Created())
        throw std::bad_alloc();
    if (!decompressor.Ready())
        picture_detail::ThrowDamaged(name, failure.message);
    JpegFormat format{};
    if (!ReadJpegHeader(decompressor.Info(), &failure, &format))
        picture_detail::ThrowDamaged(name, failure.message);
    if (format.cmyk)
        throw PictureError(
            "画像ファイル " + picture_detail::Quoted(name) +
            " は CMYK の JPEG のため表示できません. RGB かグレースケールで保存し直してください.");
    CheckPictureSize(format.width, format.height, name, limits);

    CPicture picture{CRaster(int(format.width), int(format.height)), std::nullopt};
    CRaster& raster = picture.raster;
    if (!ReadJpegRows(decompressor.Info(), &failure, raster.Row(0), raster.Stride()))
        picture_detail::ThrowDamaged(name, failure.endedEarly ? "ファイルが途中で終わっています"
                                           : failure.message[0] != 0 ? failure.message
                                                                     : "JPEG の色の形式");
    return picture;
}

} // namespace miravo
