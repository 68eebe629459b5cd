#pragma once

#include "picture/Raster.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Picture files into rasters. These read what users and other people make, so every size is
// checked before anything is allocated, and a damaged file raises PictureError (never crashes).
// `name` is the file as the author knows it (UTF-8), for the messages.
namespace miravo {

// Larger pictures are refused before their pixels are allocated.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPictureBytes = 256ull << 20; // of the 24-bit raster

struct PictureLimits {
    int maxSide = kMaxPictureSide;
    std::uint64_t maxBytes = kMaxPictureBytes;
};

// PictureError naming the file when width x height is empty or beyond the limits.
void CheckPictureSize(std::int64_t width, std::int64_t height, const std::string& name,
                      const PictureLimits& limits = {});

// Windows BMP, 1, 4, 8, 16, 24 or 32 bits, bottom-up or top-down; no alpha.
CPicture ReadBmp(std::string_view bytes, const std::string& name, const PictureLimits& limits = {});
// PNG of any colour type; the alpha channel (or a tRNS chunk) becomes `alpha`.
CPicture ReadPng(std::string_view bytes, const std::string& name, const PictureLimits& limits = {});
// JPEG in grey or colour; CMYK is refused.
CPicture ReadJpeg(std::string_view bytes, const std::string& name,
                  const PictureLimits& limits = {});

// Chooses the reader by the file's first bytes, whatever its extension says.
CPicture ReadPicture(std::string_view bytes, const std::string& name,
                     const PictureLimits& limits = {});
// Reads the file (FileOpenError, FileReadError) and then the picture.
CPicture LoadPictureFile(const std::filesystem::path& path);

namespace picture_detail {
std::string Quoted(const std::string& name);
[[noreturn]] void ThrowDamaged(const std::string& name, std::string_view detail);
} // namespace picture_detail

} // namespace miravo
