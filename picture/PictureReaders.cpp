#include "picture/PictureReaders.h"

#include "novel/FileAccess.h"
#include "picture/PictureError.h"

namespace miravo {

namespace picture_detail {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

void ThrowDamaged(const std::string& name, std::string_view detail) {
    throw PictureError("画像ファイル " + Quoted(name) +
                       " を読み込めません. 壊れているか, 対応していない形式です (" +
                       std::string(detail) + ").");
}

} // namespace picture_detail

using picture_detail::Quoted;

void CheckPictureSize(std::int64_t width, std::int64_t height, const std::string& name,
                      const PictureLimits& limits) {
    if (width <= 0 || height <= 0)
        picture_detail::ThrowDamaged(name, "幅か高さが 0 以下");
    const bool tooLarge =
        width > limits.maxSide || height > limits.maxSide ||
        std::uint64_t(CRaster::StrideFor(int(width))) * std::uint64_t(height) > limits.maxBytes;
    if (tooLarge)
        throw PictureError(
            "画像ファイル " + Quoted(name) + " は大きすぎます (" + std::to_string(width) + " × " +
            std::to_string(height) + "). 幅と高さは " + std::to_string(limits.maxSide) +
            " まで, 画素のデータは " + std::to_string(limits.maxBytes >> 20) + " MiB までです.");
}

CPicture ReadPicture(std::string_view bytes, const std::string& name, const PictureLimits& limits) {
    if (bytes.starts_with("BM"))
        return ReadBmp(bytes, name, limits);
    if (bytes.starts_with("\x89PNG\r\n\x1A\n"))
        return ReadPng(bytes, name, limits);
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return ReadJpeg(bytes, name, limits);
    throw PictureError("画像ファイル " + Quoted(name) +
                       " は BMP, PNG, JPEG のどれでもないため読み込めません.");
}

CPicture LoadPictureFile(const std::filesystem::path& path) {
    return ReadPicture(ReadWholeFile(path), PathToUtf8(path));
}

} // namespace miravo
