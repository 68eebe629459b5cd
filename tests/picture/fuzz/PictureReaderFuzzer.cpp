// Any bytes as a picture file of one kind: a PictureError or a picture of the size it claims,
// within the limits, never a crash. Built once per reader (MIRAVO_FUZZ_BMP, _PNG, _JPEG).
#include "picture/PictureError.h"
#include "picture/PictureReaders.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Smaller limits than the editor's: the full ones only cost time to allocate and clear,
    // and bounds are checked the same way at any size.
    const PictureLimits limits{2048, 8u << 20};
    try {
#if defined(MIRAVO_FUZZ_BMP)
        const CPicture picture = ReadBmp(bytes, "fuzz.bmp", limits);
#elif defined(MIRAVO_FUZZ_PNG)
        const CPicture picture = ReadPng(bytes, "fuzz.png", limits);
#else
        const CPicture picture = ReadJpeg(bytes, "fuzz.jpg", limits);
#endif
        const CRaster& raster = picture.raster;
        if (raster.Empty() || raster.Width() > limits.maxSide || raster.Height() > limits.maxSide)
            std::abort();
        if (picture.alpha && (picture.alpha->Width() != raster.Width() ||
                              picture.alpha->Height() != raster.Height()))
            std::abort();
        // Every pixel is readable (ASan checks the row arithmetic).
        unsigned sum = 0;
        for (int y = 0; y < raster.Height(); ++y)
            sum += raster.Row(y)[raster.Width() * 3 - 1];
        (void)sum;
    } catch (const PictureError&) {
    }
    return 0;
}
