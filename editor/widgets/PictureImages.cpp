#include "editor/widgets/PictureImages.h"

#include "editor/widgets/Paint.h"

#include <stdexcept>

namespace miravo {

ImageListHandle CreatePictureImageList(const std::vector<const CPicture*>& pictures, int size) {
    ImageListHandle images(
        ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(pictures.size()), 0));
    if (!images) {
        throw std::runtime_error("ImageList_Create failed");
    }
    for (const CPicture* picture : pictures) {
        const BITMAPINFO info = TopDownDibInfo(size, size, 32);
        void* bits = nullptr;
        const BitmapHandle bitmap(
            CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || bits == nullptr) {
            throw std::runtime_error("CreateDIBSection failed");
        }
        auto* out = static_cast<std::uint8_t*>(bits);
        const CRaster& raster = picture->raster;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                std::uint8_t* pixel = out + (std::size_t(y) * size + x) * 4;
                if (x >= raster.Width() || y >= raster.Height()) {
                    pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0;
                    continue;
                }
                const std::uint8_t* source = raster.Pixel(x, y);
                const unsigned alpha = picture->alpha ? picture->alpha->At(x, y) : 255u;
                // Premultiplied, as alpha blending of 32-bit images expects.
                for (int c = 0; c < 3; ++c) {
                    pixel[c] = static_cast<std::uint8_t>(source[c] * alpha / 255u);
                }
                pixel[3] = static_cast<std::uint8_t>(alpha);
            }
        }
        ImageList_Add(images.Get(), bitmap.Get(), nullptr);
    }
    return images;
}

} // namespace miravo
