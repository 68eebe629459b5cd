#include "editor/chart/ChartGlyphs.h"

#include <initializer_list>

namespace miravo {

namespace {

constexpr int kSize = 16;
constexpr COLORREF kMask = RGB(255, 0, 255);

void Shape(HDC dc, std::initializer_list<POINT> points, COLORREF fill, COLORREF line) {
    const BrushHandle brush(CreateSolidBrush(fill));
    const PenHandle pen(CreatePen(PS_SOLID, 1, line));
    const SelectScope selectBrush(dc, brush.Get());
    const SelectScope selectPen(dc, pen.Get());
    Polygon(dc, points.begin(), static_cast<int>(points.size()));
}

void Flag(HDC dc, int x) {
    Shape(dc, {{x + 4, 1}, {x + 5, 1}, {x + 5, 15}, {x + 4, 15}}, RGB(90, 60, 40), RGB(90, 60, 40));
    Shape(dc, {{x + 5, 2}, {x + 14, 5}, {x + 5, 9}}, RGB(230, 40, 40), RGB(150, 20, 20));
}

void DrawStrip(HDC dc, int count, void (*draw)(HDC, int index, int x)) {
    const BrushHandle mask(CreateSolidBrush(kMask));
    const RECT all{0, 0, kSize * count, kSize};
    FillRect(dc, &all, mask.Get());
    for (int index = 0; index < count; ++index) {
        draw(dc, index, index * kSize);
    }
}

ImageListHandle MakeImages(int count, void (*draw)(HDC, int index, int x)) {
    ImageListHandle images(ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, count, 0));
    const WindowDc screen(nullptr);
    const BitmapHandle strip(CreateCompatibleBitmap(screen.Get(), kSize * count, kSize));
    const HDC dc = CreateCompatibleDC(screen.Get());
    {
        const SelectScope select(dc, strip.Get());
        DrawStrip(dc, count, draw);
    }
    DeleteDC(dc);
    ImageList_AddMasked(images.Get(), strip.Get(), kMask);
    return images;
}

} // namespace

ImageListHandle CreateChartMarkImages() {
    return MakeImages(1, [](HDC dc, int, int x) { Flag(dc, x); });
}

} // namespace miravo
