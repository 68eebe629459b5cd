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

void Box(HDC dc, int x, int y, COLORREF fill, COLORREF line) {
    const BrushHandle brush(CreateSolidBrush(fill));
    const PenHandle pen(CreatePen(PS_SOLID, 1, line));
    const SelectScope selectBrush(dc, brush.Get());
    const SelectScope selectPen(dc, pen.Get());
    RoundRect(dc, x + 1, y + 4, x + 15, y + 12, 5, 5);
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

void DrawTool(HDC dc, int index, int x) {
    switch (index) {
    case kNewItemImage:
        Box(dc, x, 0, RGB(193, 255, 255), RGB(60, 110, 110));
        Shape(dc,
              {{x + 11, 0},
               {x + 13, 0},
               {x + 13, 2},
               {x + 15, 2},
               {x + 15, 4},
               {x + 13, 4},
               {x + 13, 6},
               {x + 11, 6},
               {x + 11, 4},
               {x + 9, 4},
               {x + 9, 2},
               {x + 11, 2}},
              RGB(255, 200, 0), RGB(160, 110, 0));
        break;
    case kDeleteItemImage:
        Shape(dc,
              {{x + 2, 3},
               {x + 4, 1},
               {x + 8, 5},
               {x + 12, 1},
               {x + 14, 3},
               {x + 10, 7},
               {x + 14, 11},
               {x + 12, 13},
               {x + 8, 9},
               {x + 4, 13},
               {x + 2, 11},
               {x + 6, 7}},
              RGB(220, 50, 50), RGB(130, 20, 20));
        break;
    case kChartSizeImage:
        Shape(dc, {{x + 1, 1}, {x + 14, 1}, {x + 14, 14}, {x + 1, 14}}, RGB(255, 255, 255),
              RGB(0, 0, 255));
        Shape(dc, {{x + 6, 9}, {x + 12, 9}, {x + 12, 3}}, RGB(80, 120, 200), RGB(30, 60, 140));
        break;
    case kMarkImage: Flag(dc, x); break;
    case kMarkFocusImage:
        Flag(dc, x);
        Shape(dc, {{x + 8, 10}, {x + 15, 13}, {x + 8, 15}}, RGB(60, 180, 80), RGB(20, 100, 40));
        break;
    default: break;
    }
}

} // namespace

ImageListHandle CreateChartToolImages() { return MakeImages(5, DrawTool); }

ImageListHandle CreateChartMarkImages() {
    return MakeImages(1, [](HDC dc, int, int x) { Flag(dc, x); });
}

} // namespace miravo
