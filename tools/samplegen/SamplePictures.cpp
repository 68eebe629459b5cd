#include "tools/samplegen/SamplePictures.h"

#include <cmath>
#include <numbers>

namespace miravo::samplegen {

namespace {

constexpr Color kWhite{255, 255, 255};

Image Screen() { return Image(kScreenWidth, kScreenHeight, {0, 0, 0, 255}); }

void Rect(Image& image, double left, double top, double right, double bottom, Color color) {
    image.FillPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, color);
}

// Rows of books on a shelf between x0 and x1 standing on y.
void Books(Image& image, Random& random, double x0, double x1, double y, double maxHeight) {
    const Color spines[] = {{142, 52, 48},  {52, 86, 128},   {60, 110, 70}, {170, 140, 70},
                            {110, 70, 110}, {200, 190, 170}, {70, 60, 50}};
    for (double x = x0; x < x1 - 6;) {
        const double width = random.Range(7, 16);
        const double height = maxHeight * random.Range(0.72, 1.0);
        const Color spine = spines[random.Next() % 7];
        Rect(image, x, y - height, std::min(x + width, x1), y, spine);
        Rect(image, x + 2, y - height * 0.8, std::min(x + width, x1) - 2, y - height * 0.75,
             Mix(spine, kWhite, 0.45));
        x += width + random.Range(0, 1.5);
    }
}

} // namespace

Image PaintCorridor() {
    Image image = Screen();
    image.VerticalGradient(0, 300, {236, 214, 178}, {214, 186, 150});
    image.VerticalGradient(300, 480, {150, 112, 80}, {112, 78, 52});
    // The floor runs towards a door at the far end.
    image.FillPolygon({{0, 480}, {640, 480}, {380, 290}, {260, 290}}, {170, 128, 88, 255});
    image.FillPolygon({{250, 130}, {390, 130}, {390, 292}, {250, 292}}, {196, 170, 138, 255});
    Rect(image, 300, 170, 342, 290, {120, 84, 56});
    image.FillEllipse(334, 232, 3, 3, {230, 200, 120});
    // Windows on the left let the afternoon in.
    for (int i = 0; i < 3; ++i) {
        const double x = 20 + i * 70, top = 70 + i * 22, bottom = 300 - i * 6;
        image.FillPolygon(
            {{x, top}, {x + 52 - i * 8, top + 12}, {x + 52 - i * 8, bottom - 8}, {x, bottom}},
            {255, 246, 214, 255});
        image.FillPolygon(
            {{x + 52 - i * 8, bottom - 8}, {x, bottom}, {x + 260, 480}, {x + 420, 480}},
            {255, 236, 190, 70});
    }
    image.Glow(90, 180, 260, {255, 240, 200, 120});
    return image;
}

Image PaintLibrary() {
    Image image = Screen();
    image.VerticalGradient({96, 66, 44}, {60, 40, 28});
    Random random(1901);
    for (int shelf = 0; shelf < 5; ++shelf) {
        const double y = 100 + shelf * 84;
        Rect(image, 0, y, 640, y + 10, {130, 92, 60});
        Rect(image, 0, y + 10, 640, y + 14, {40, 26, 18});
        Books(image, random, 8, 400, y, 70);
        Books(image, random, 520, 634, y, 70);
    }
    // A tall window between the shelves.
    Rect(image, 410, 40, 510, 420, {90, 62, 40});
    image.FillPolygon({{418, 48}, {502, 48}, {502, 412}, {418, 412}}, {206, 226, 240, 255});
    Rect(image, 458, 48, 462, 412, {90, 62, 40});
    Rect(image, 418, 228, 502, 232, {90, 62, 40});
    image.Glow(460, 230, 240, {255, 244, 210, 90});
    return image;
}

Image PaintSunset() {
    Image image = Screen();
    image.VerticalGradient(0, 330, {84, 60, 120}, {250, 150, 90});
    image.VerticalGradient(330, 480, {250, 170, 110}, {120, 70, 70});
    image.Glow(420, 300, 220, {255, 220, 150, 200});
    image.FillEllipse(420, 300, 38, 38, {255, 236, 190, 255});
    // Long clouds lit from below.
    for (int i = 0; i < 4; ++i)
        image.FillEllipse(120 + i * 140, 90 + (i % 2) * 50, 110, 12, {255, 190, 160, 150});
    // Roofs of the town.
    Random random(715);
    for (double x = -10; x < 650;) {
        const double width = random.Range(40, 90), height = random.Range(60, 150);
        const Color roof{54, 36, 52, 255};
        Rect(image, x, 480 - height, x + width, 480, roof);
        image.FillPolygon({{x - 4, 480 - height},
                           {x + width / 2, 480 - height - 24},
                           {x + width + 4, 480 - height}},
                          roof);
        for (double wy = 480 - height + 16; wy < 460; wy += 26) {
            if (random.Uniform() < 0.35)
                Rect(image, x + width * 0.3, wy, x + width * 0.3 + 10, wy + 12, {250, 210, 130});
        }
        x += width + random.Range(2, 10);
    }
    return image;
}

Image PaintNight() {
    Image image = Screen();
    image.VerticalGradient({10, 14, 40}, {40, 50, 96});
    Random random(2024);
    for (int i = 0; i < 220; ++i) {
        const double x = random.Range(0, 640), y = random.Range(0, 360);
        const double r = random.Range(0.5, 1.6);
        image.FillEllipse(x, y, r, r, {255, 255, 230, std::uint8_t(random.Range(120, 255))});
    }
    image.Glow(510, 90, 90, {220, 230, 255, 110});
    image.FillEllipse(510, 90, 30, 30, {246, 244, 226, 255});
    image.FillEllipse(522, 82, 26, 26, {10, 14, 40, 255}); // a crescent
    image.FillPolygon(
        {{0, 480}, {0, 400}, {120, 360}, {260, 392}, {400, 350}, {640, 390}, {640, 480}},
        {18, 20, 34, 255});
    for (int i = 0; i < 40; ++i) {
        const double x = random.Range(0, 640), y = random.Range(410, 470);
        Rect(image, x, y, x + 5, y + 5, {250, 220, 140});
    }
    return image;
}

Image PaintTitle() {
    Image image = Screen();
    image.VerticalGradient({244, 232, 210}, {214, 188, 160});
    image.Glow(320, 250, 300, {255, 250, 236, 160});
    // An open book: two pages bending down to the spine.
    const Color page{252, 248, 236, 255}, edge{150, 120, 90, 255};
    image.FillPolygon({{320, 300}, {170, 270}, {110, 360}, {320, 392}}, edge);
    image.FillPolygon({{320, 300}, {470, 270}, {530, 360}, {320, 392}}, edge);
    image.FillPolygon({{320, 294}, {176, 262}, {120, 350}, {320, 384}}, page);
    image.FillPolygon({{320, 294}, {464, 262}, {520, 350}, {320, 384}}, page);
    for (int line = 0; line < 6; ++line) {
        const double t = 0.18 + line * 0.12;
        image.FillPolygon({{180 - t * 50, 270 + t * 90},
                           {310, 300 + t * 82},
                           {310, 302 + t * 82},
                           {180 - t * 50, 272 + t * 90}},
                          {190, 176, 150, 255});
        image.FillPolygon({{330, 300 + t * 82},
                           {460 + t * 50, 270 + t * 90},
                           {460 + t * 50, 272 + t * 90},
                           {330, 302 + t * 82}},
                          {190, 176, 150, 255});
    }
    // Leaves of late summer drifting down.
    Random random(808);
    for (int i = 0; i < 26; ++i) {
        const double x = random.Range(20, 620), y = random.Range(20, 250);
        const double angle = random.Range(0, std::numbers::pi);
        const double dx = std::cos(angle) * 9, dy = std::sin(angle) * 9;
        image.FillPolygon(
            {{x - dx, y - dy},
             {x - dy / 2.5, y + dx / 2.5},
             {x + dx, y + dy},
             {x + dy / 2.5, y - dx / 2.5}},
            {std::uint8_t(random.Range(150, 230)), std::uint8_t(random.Range(90, 160)), 60, 230});
    }
    return image;
}

Image PaintHaru(bool smiling) {
    Image image(280, 440);
    const Color hair{70, 46, 40, 255}, skin{250, 222, 200, 255}, navy{40, 50, 86, 255};
    // Hair behind, body, collar and ribbon, face, hair in front.
    image.FillEllipse(140, 150, 92, 120, hair);
    image.FillPolygon({{70, 440}, {92, 270}, {188, 270}, {210, 440}}, navy);
    image.FillRoundRect(60, 300, 220, 440, 30, navy);
    image.FillPolygon({{96, 268}, {140, 330}, {184, 268}}, {240, 240, 246, 255});
    image.FillPolygon({{122, 300}, {140, 318}, {158, 300}, {150, 344}, {130, 344}},
                      {196, 40, 56, 255});
    image.FillRoundRect(124, 220, 156, 272, 8, skin); // neck
    image.FillEllipse(140, 160, 66, 80, skin);
    image.FillPolygon(
        {{70, 150}, {92, 70}, {190, 64}, {212, 150}, {176, 110}, {140, 124}, {104, 108}}, hair);
    const Color eye{60, 40, 40, 255};
    if (smiling) {
        for (double x : {114.0, 166.0}) {
            image.FillShape(
                x - 14, 160, x + 14, 176,
                [x](double px, double py) {
                    const double d = std::hypot(px - x, py - 176);
                    return d < 13 && d > 8.5 && py < 174;
                },
                eye);
        }
        image.FillShape(122, 196, 158, 214,
                        [](double px, double py) {
                            const double d = std::hypot(px - 140, py - 194);
                            return d < 15 && d > 11 && py > 200;
                        },
                        {200, 90, 90, 255});
        image.FillEllipse(104, 196, 12, 6, {250, 170, 170, 120});
        image.FillEllipse(176, 196, 12, 6, {250, 170, 170, 120});
    } else {
        image.FillEllipse(114, 170, 8, 11, eye);
        image.FillEllipse(166, 170, 8, 11, eye);
        image.FillEllipse(116, 166, 3, 3, kWhite);
        image.FillEllipse(168, 166, 3, 3, kWhite);
        image.FillRoundRect(130, 204, 150, 207, 1.5, {190, 110, 100, 255});
    }
    return image;
}

Image PaintMessageWindow() {
    Image image(600, 140);
    image.FillRoundRect(0, 0, 600, 140, 16, {190, 210, 240, 210});
    image.FillRoundRect(4, 4, 596, 136, 13, {20, 30, 70, 190});
    image.FillRoundRect(10, 10, 590, 14, 2, {255, 255, 255, 60});
    return image;
}

Image PaintDiaryWindow() {
    Image image(520, 360);
    image.FillRoundRect(0, 0, 520, 360, 6, {120, 90, 60, 230});
    image.FillRoundRect(6, 6, 514, 354, 4, {246, 236, 210, 240});
    for (int y = 60; y < 340; y += 32)
        image.FillPolygon({{24, double(y)}, {496, double(y)}, {496, y + 1.2}, {24, y + 1.2}},
                          {170, 190, 210, 200});
    image.FillPolygon({{60, 16}, {62, 16}, {62, 344}, {60, 344}}, {220, 140, 140, 200});
    return image;
}

Image PaintLogo() {
    Image image(320, 160);
    image.Glow(160, 80, 150, {255, 240, 200, 120});
    image.FillEllipse(160, 80, 64, 64, {60, 90, 150, 255});
    image.FillEllipse(160, 80, 56, 56, {246, 240, 226, 255});
    // A book opened in the middle of the ring.
    image.FillPolygon({{160, 70}, {120, 60}, {116, 106}, {160, 114}}, {60, 90, 150, 255});
    image.FillPolygon({{160, 70}, {200, 60}, {204, 106}, {160, 114}}, {90, 120, 180, 255});
    image.FillPolygon({{159, 66}, {161, 66}, {161, 116}, {159, 116}}, {246, 240, 226, 255});
    for (double x : {34.0, 286.0})
        image.FillEllipse(x, 80, 10, 10, {60, 90, 150, 200});
    return image;
}

} // namespace miravo::samplegen
