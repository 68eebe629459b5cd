#include "tools/picturegen/BuiltinPainting.h"

#include <cmath>

namespace miravo::picturegen {
namespace {

using samplegen::Color;
using samplegen::Image;
using samplegen::Random;

void Rect(Image& image, double left, double top, double right, double bottom, Color color) {
    image.FillPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, color);
}

void Cloud(Image& image, double x, double y, double size) {
    const Color white{255, 255, 255, 220};
    image.FillEllipse(x, y, size * 1.4, size * 0.55, white);
    image.FillEllipse(x - size * 0.6, y - size * 0.25, size * 0.6, size * 0.5, white);
    image.FillEllipse(x + size * 0.35, y - size * 0.4, size * 0.75, size * 0.65, white);
}

void Tree(Image& image, double x, double ground, double height) {
    Rect(image, x - height * 0.05, ground - height * 0.45, x + height * 0.05, ground, {96, 66, 40});
    image.FillEllipse(x, ground - height * 0.68, height * 0.32, height * 0.36, {58, 128, 62});
    image.FillEllipse(x - height * 0.12, ground - height * 0.76, height * 0.16, height * 0.14,
                      {92, 164, 84});
}

// A park on a clear day: calm, mid-toned, so that characters and text windows stand out on it.
Image SampleScreen() {
    Image image(640, 480, {0, 0, 0, 255});
    image.VerticalGradient(0, 300, {120, 180, 235}, {200, 228, 245});
    Cloud(image, 140, 80, 40);
    Cloud(image, 470, 120, 30);
    Cloud(image, 560, 60, 22);
    image.FillEllipse(150, 330, 300, 80, {130, 180, 120});
    image.FillEllipse(520, 320, 260, 70, {118, 170, 112});
    image.VerticalGradient(300, 480, {120, 176, 96}, {84, 140, 70});
    // A path curving away to the horizon.
    image.FillPolygon({{250, 480}, {470, 480}, {352, 300}, {330, 300}}, {222, 204, 168, 255});
    for (int i = 0; i < 5; ++i)
        Tree(image, 40 + i * 50, 300 + i * 6, 110 + i * 10);
    Tree(image, 560, 330, 180);
    Tree(image, 620, 310, 140);
    // A bench beside the path.
    Rect(image, 470, 372, 560, 380, {150, 100, 60});
    Rect(image, 470, 356, 560, 362, {150, 100, 60});
    Rect(image, 476, 380, 481, 398, {70, 60, 50});
    Rect(image, 549, 380, 554, 398, {70, 60, 50});
    return image;
}

// Morning at the sea: warm and bright.
Image FadeSampleA() {
    Image image(640, 480, {0, 0, 0, 255});
    image.VerticalGradient(0, 280, {250, 170, 110}, {255, 226, 160});
    image.Glow(420, 250, 220, {255, 244, 200, 200});
    image.FillEllipse(420, 250, 46, 46, {255, 250, 225, 255});
    image.VerticalGradient(280, 480, {70, 120, 170}, {30, 70, 120});
    Random random(7);
    for (int i = 0; i < 60; ++i) { // light on the water
        const double y = 290 + random.Uniform() * 180;
        const double spread = (y - 270) * 0.9;
        const double x = 420 + random.Range(-spread, spread);
        Rect(image, x - 14, y, x + 14, y + 2, {255, 230, 170, 150});
    }
    image.FillEllipse(120, 282, 110, 26, {60, 70, 60}); // an island
    Tree(image, 110, 266, 50);
    return image;
}

// Night over a town: dark and cool, the opposite of picture A in every way a fade shows.
Image FadeSampleB() {
    Image image(640, 480, {0, 0, 0, 255});
    image.VerticalGradient(0, 480, {10, 16, 48}, {40, 50, 100});
    Random random(11);
    for (int i = 0; i < 140; ++i)
        image.FillEllipse(random.Range(0, 640), random.Range(0, 300), 1.1, 1.1,
                          {255, 255, 230, std::uint8_t(random.Range(120, 255))});
    image.Glow(130, 100, 120, {200, 210, 255, 90});
    image.FillEllipse(130, 100, 36, 36, {250, 246, 220, 255});
    image.FillEllipse(146, 90, 32, 32, {22, 28, 66, 255}); // a crescent
    double x = 0;
    while (x < 640) {
        const double width = random.Range(40, 90), height = random.Range(90, 230);
        Rect(image, x, 480 - height, x + width, 480, {20, 22, 34});
        for (double wy = 480 - height + 12; wy < 470; wy += 18)
            for (double wx = x + 8; wx < x + width - 10; wx += 14)
                if (random.Uniform() < 0.35)
                    Rect(image, wx, wy, wx + 6, wy + 8, {255, 210, 120});
        x += width + random.Range(2, 8);
    }
    return image;
}

Image CounterIcon() {
    Image image(16, 16);
    image.FillRoundRect(0.5, 1.5, 15.5, 14.5, 2.5, {60, 90, 150});
    image.FillRoundRect(1.5, 2.5, 14.5, 13.5, 2, {235, 242, 255});
    for (int i = 0; i < 4; ++i) // tally marks, crossed by a fifth
        Rect(image, 3.5 + i * 2.5, 4.5, 4.7 + i * 2.5, 11.5, {40, 60, 110});
    image.FillPolygon({{2.5, 10.5}, {13, 5}, {13.5, 6}, {3, 11.5}}, {200, 40, 40, 255});
    return image;
}

Image TextWindowIcon() {
    Image image(16, 16);
    image.FillRoundRect(0.5, 2.5, 15.5, 14.5, 2, {40, 60, 120});
    image.FillRoundRect(1.5, 5.5, 14.5, 13.5, 1, {250, 250, 255});
    Rect(image, 2, 3.3, 6, 4.5, {200, 220, 255});
    for (int i = 0; i < 3; ++i)
        Rect(image, 3, 7 + i * 2, i == 2 ? 9 : 13, 8 + i * 2, {90, 100, 130});
    return image;
}

Image ChartMarkIcon() {
    Image image(16, 16);
    Rect(image, 3, 1, 4.5, 15, {70, 60, 50});
    image.FillPolygon({{4.5, 1.5}, {14.5, 5}, {4.5, 9}}, {220, 40, 40, 255});
    image.FillPolygon({{4.5, 2.8}, {11, 5}, {4.5, 6}}, {255, 110, 100, 255});
    image.FillEllipse(3.75, 14.5, 2.5, 1, {0, 0, 0, 90});
    return image;
}

} // namespace

bool HasAlpha(BuiltinPicture picture) {
    return picture == BuiltinPicture::CounterIcon || picture == BuiltinPicture::TextWindowIcon ||
           picture == BuiltinPicture::ChartMarkIcon;
}

Image Paint(BuiltinPicture picture) {
    switch (picture) {
    case BuiltinPicture::SampleScreen: return SampleScreen();
    case BuiltinPicture::FadeSampleA: return FadeSampleA();
    case BuiltinPicture::FadeSampleB: return FadeSampleB();
    case BuiltinPicture::CounterIcon: return CounterIcon();
    case BuiltinPicture::TextWindowIcon: return TextWindowIcon();
    case BuiltinPicture::ChartMarkIcon: return ChartMarkIcon();
    }
    return Image(1, 1);
}

} // namespace miravo::picturegen
