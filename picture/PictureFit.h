#pragma once

// Where a picture goes in a preview area: scaled to fit, proportions kept, centred.
namespace miravo {

struct PictureFit {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureFit&, const PictureFit&) = default;
};

// Width first: the picture takes the area's width and height round(h * areaW / w); if that is
// taller than the area, it takes the area's height and width round(w * areaH / h) instead.
// Centred with left = areaW / 2 - width / 2 (each half rounded toward zero), top likewise.
// `round` goes to the nearest whole pixel, halves to the even one. An empty picture gives an
// empty fit.
PictureFit FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// The graphic command dialog's preview area.
inline constexpr int kGraphicPreviewWidth = 324;
inline constexpr int kGraphicPreviewHeight = 243;
PictureFit FitGraphicPreview(int pictureWidth, int pictureHeight);

} // namespace miravo
