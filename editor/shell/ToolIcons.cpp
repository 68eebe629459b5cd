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

void Line(HDC dc, std::initializer_list<POINT> points, COLORREF color, int width) {
    const PenHandle pen(CreatePen(PS_SOLID, width, color));
    const SelectScope select(dc, pen.Get());
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void DrawNew(HDC dc, int x) {
    Polygon(dc, {{x + 2, 1}, {x + 9, 1}, {x + 12, 4}, {x + 12, 14}, {x + 2, 14}},
            RGB(255, 255, 255), RGB(90, 90, 110));
    Box(dc, {x + 9, 8, x + 15, 10}, RGB(40, 160, 60), RGB(20, 100, 40));
    Box(dc, {x + 11, 6, x + 13, 12}, RGB(40, 160, 60), RGB(20, 100, 40));
}

void DrawDelete(HDC dc, int x) {
    Line(dc, {{x + 3, 3}, {x + 12, 12}}, RGB(200, 30, 30), 3);
    Line(dc, {{x + 12, 3}, {x + 3, 12}}, RGB(200, 30, 30), 3);
}

void DrawEdit(HDC dc, int x) {
    Polygon(dc, {{x + 11, 1}, {x + 14, 4}, {x + 5, 13}, {x + 2, 10}}, RGB(250, 200, 60),
            RGB(150, 100, 20));
    Polygon(dc, {{x + 2, 10}, {x + 5, 13}, {x + 1, 14}}, RGB(60, 60, 60), RGB(60, 60, 60));
}

void DrawResize(HDC dc, int x) {
    Box(dc, {x + 1, 1, x + 14, 14}, RGB(230, 238, 250), RGB(70, 90, 140));
    Line(dc, {{x + 4, 4}, {x + 11, 11}}, RGB(30, 50, 110), 1);
    Line(dc, {{x + 4, 8}, {x + 4, 4}, {x + 8, 4}}, RGB(30, 50, 110), 1);
    Line(dc, {{x + 7, 11}, {x + 11, 11}, {x + 11, 7}}, RGB(30, 50, 110), 1);
}

void DrawMark(HDC dc, int x) {
    Line(dc, {{x + 4, 1}, {x + 4, 15}}, RGB(80, 60, 40), 2);
    Polygon(dc, {{x + 5, 2}, {x + 14, 5}, {x + 5, 8}}, RGB(230, 50, 50), RGB(150, 20, 20));
}

void DrawMove(HDC dc, int x) {
    const COLORREF fill = RGB(70, 130, 200);
    const COLORREF line = RGB(30, 60, 120);
    Box(dc, {x + 7, 3, x + 8, 12}, fill, line);
    Box(dc, {x + 3, 7, x + 12, 8}, fill, line);
    Polygon(dc, {{x + 7, 0}, {x + 10, 3}, {x + 5, 3}}, fill, line);
    Polygon(dc, {{x + 7, 15}, {x + 10, 12}, {x + 5, 12}}, fill, line);
    Polygon(dc, {{x + 0, 7}, {x + 3, 4}, {x + 3, 10}}, fill, line);
    Polygon(dc, {{x + 15, 7}, {x + 12, 4}, {x + 12, 10}}, fill, line);
}

} // namespace

ImageListHandle CreateToolImages() {
    ImageListHandle images(
        ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, kToolImageCount, 0));
    const WindowDc screen(nullptr);
    const BitmapHandle strip(CreateCompatibleBitmap(screen.Get(), kSize * kToolImageCount, kSize));
    const HDC dc = CreateCompatibleDC(screen.Get());
    {
        const SelectScope select(dc, strip.Get());
        const BrushHandle mask(CreateSolidBrush(kMask));
        const RECT all{0, 0, kSize * kToolImageCount, kSize};
        FillRect(dc, &all, mask.Get());
        DrawOpen(dc, kOpenImage * kSize);
        DrawSave(dc, kSaveImage * kSize);
        DrawProperty(dc, kPropertyImage * kSize);
        DrawTestplay(dc, kTestplayImage * kSize);
        DrawNew(dc, kNewImage * kSize);
        DrawDelete(dc, kDeleteImage * kSize);
        DrawEdit(dc, kEditImage * kSize);
        DrawResize(dc, kResizeImage * kSize);
        DrawMark(dc, kMarkImage * kSize);
        DrawMove(dc, kMoveImage * kSize);
    }
    DeleteDC(dc);
    ImageList_AddMasked(images.Get(), strip.Get(), kMask);
    return images;
}

} // namespace miravo
