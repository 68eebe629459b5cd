#include "editor/shell/ToolIcons.h"

#include "editor/widgets/Handles.h"

namespace miravo {

namespace {

constexpr int kSize = 16;
constexpr COLORREF kMask = RGB(255, 0, 255);

void Polygon(HDC dc, std::initializer_list<POINT> points, COLORREF fill, COLORREF line) {
    const BrushHandle brush(CreateSolidBrush(fill));
    const PenHandle pen(CreatePen(PS_SOLID, 1, line));
    const SelectScope selectBrush(dc, brush.Get());
    const SelectScope selectPen(dc, pen.Get());
    ::Polygon(dc, points.begin(), static_cast<int>(points.size()));
}

void Box(HDC dc, RECT rect, COLORREF fill, COLORREF line) {
    Polygon(dc,
            {{rect.left, rect.top},
             {rect.right, rect.top},
             {rect.right, rect.bottom},
             {rect.left, rect.bottom}},
            fill, line);
}

void DrawOpen(HDC dc, int x) {
    Polygon(dc, {{x + 1, 3}, {x + 6, 3}, {x + 7, 5}, {x + 13, 5}, {x + 13, 13}, {x + 1, 13}},
            RGB(240, 200, 80), RGB(150, 110, 20));
    Polygon(dc, {{x + 3, 7}, {x + 15, 7}, {x + 13, 13}, {x + 1, 13}}, RGB(255, 226, 120),
            RGB(150, 110, 20));
}

void DrawSave(HDC dc, int x) {
    Box(dc, {x + 1, 1, x + 14, 14}, RGB(70, 110, 190), RGB(30, 50, 110));
    Box(dc, {x + 4, 2, x + 11, 7}, RGB(250, 250, 250), RGB(30, 50, 110));
    Box(dc, {x + 4, 9, x + 11, 14}, RGB(200, 210, 230), RGB(30, 50, 110));
}

void DrawProperty(HDC dc, int x) {
    Box(dc, {x + 2, 1, x + 13, 14}, RGB(255, 255, 255), RGB(90, 90, 110));
    for (int y = 4; y <= 11; y += 3) {
        Box(dc, {x + 4, y, x + 11, y + 1}, RGB(90, 120, 180), RGB(90, 120, 180));
    }
}

void DrawTestplay(HDC dc, int x) {
    Polygon(dc, {{x + 3, 2}, {x + 14, 8}, {x + 3, 14}}, RGB(60, 180, 80), RGB(20, 100, 40));
}

} // namespace

ImageListHandle CreateToolImages() {
    ImageListHandle images(ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, 4, 0));
    const WindowDc screen(nullptr);
    const BitmapHandle strip(CreateCompatibleBitmap(screen.Get(), kSize * 4, kSize));
    const HDC dc = CreateCompatibleDC(screen.Get());
    {
        const SelectScope select(dc, strip.Get());
        const BrushHandle mask(CreateSolidBrush(kMask));
        const RECT all{0, 0, kSize * 4, kSize};
        FillRect(dc, &all, mask.Get());
        DrawOpen(dc, kOpenImage * kSize);
        DrawSave(dc, kSaveImage * kSize);
        DrawProperty(dc, kPropertyImage * kSize);
        DrawTestplay(dc, kTestplayImage * kSize);
    }
    DeleteDC(dc);
    ImageList_AddMasked(images.Get(), strip.Get(), kMask);
    return images;
}

} // namespace miravo
