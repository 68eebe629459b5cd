#include "picture/PictureFit.h"

#include <cmath>

namespace miravo {
namespace {

int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

} // namespace

PictureFit FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return {};
    PictureFit fit;
    fit.width = areaWidth;
    fit.height = RoundHalfEven(double(pictureHeight) * areaWidth / pictureWidth);
    if (fit.height > areaHeight) {
        fit.height = areaHeight;
        fit.width = RoundHalfEven(double(pictureWidth) * areaHeight / pictureHeight);
    }
    fit.left = areaWidth / 2 - fit.width / 2;
    fit.top = areaHeight / 2 - fit.height / 2;
    return fit;
}

PictureFit FitGraphicPreview(int pictureWidth, int pictureHeight) {
    return FitPicture(pictureWidth, pictureHeight, kGraphicPreviewWidth, kGraphicPreviewHeight);
}

} // namespace miravo
