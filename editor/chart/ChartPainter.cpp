#include "editor/chart/ChartPainter.h"

#include "editor/chart/ChartLinks.h"
#include "editor/chart/ChartRaster.h"
#include "editor/chart/ChartStamps.h"
#include "editor/widgets/Handles.h"
#include "novel/NovelData.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <array>

namespace miravo {

namespace {

struct TypeColours {
    COLORREF shadow;
    COLORREF body;
};
constexpr std::array<TypeColours, 3> kTypeColours = {{
    {RGB(96, 127, 127), RGB(193, 255, 255)}, // menu links
    {RGB(96, 127, 96), RGB(193, 255, 193)},  // automatic link
    {RGB(127, 96, 127), RGB(255, 193, 255)}, // ending
}};
constexpr COLORREF kBorderColour = RGB(0, 0, 255);
constexpr COLORREF kSelectionColour = RGB(255, 160, 128);
constexpr COLORREF kCurrentColour = RGB(255, 96, 0);
constexpr COLORREF kLinkColour = RGB(82, 82, 255);
constexpr COLORREF kCounterLinkColour = RGB(255, 151, 48);
constexpr COLORREF kAnchorShadowColour = RGB(128, 120, 30);
constexpr COLORREF kAnchorColour = RGB(255, 240, 60);
constexpr int kCorner = 14;

const TypeColours& ColoursOf(const CNovelItem& item) {
    return kTypeColours[item.LinkType < kTypeColours.size() ? item.LinkType : 0];
}

// The chart area painted, in chart coordinates; a figure wholly outside it is skipped.
struct Area {
    std::int64_t left, top, right, bottom;
    bool Meets(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) const {
        return l < right && left < r && t < bottom && top < b;
    }
};

// Chart coordinates within the painted part fit GDI's; the origin is subtracted first.
class Mapper {
public:
    explicit Mapper(POINT origin) : origin_(origin) {}
    int X(std::int64_t x) const {
        return static_cast<int>(std::clamp<std::int64_t>(x - origin_.x, -kFar, kFar));
    }
    int Y(std::int64_t y) const {
        return static_cast<int>(std::clamp<std::int64_t>(y - origin_.y, -kFar, kFar));
    }

private:
    // Beyond this GDI's arithmetic is not to be trusted; a line clipped so keeps its direction
    // only roughly, but such lines lie in parts of charts no picture holds whole.
    static constexpr std::int64_t kFar = 1 << 26;
    POINT origin_;
};

void DrawBorder(HDC dc, const CNovelModel& model, const Mapper& at) {
    const PenHandle pen(CreatePen(PS_DASHDOT, 1, kBorderColour));
    const SelectScope selectPen(dc, pen.Get());
    const SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, at.X(-1), at.Y(-1), at.X(model.Header.ChartWidth),
              at.Y(model.Header.ChartHeight));
}

// The same picture with every repeated figure stamped into the pixels: GDI draws only the
// border and the marks.
void PaintStamped(HDC dc, const ChartScene& scene, POINT origin, int width, int height,
                  std::uint8_t* pixels, std::size_t stride) {
    const CNovelModel& model = *scene.model;
    const CNovelItems& items = model.Items;
    ChartStamps& stamps = *scene.stamps;
    const Mapper at(origin);
    const Area area{origin.x, origin.y, std::int64_t{origin.x} + width,
                    std::int64_t{origin.y} + height};
    const RasterTarget target{.pixels = pixels,
                              .stride = stride,
                              .width = width,
                              .height = height,
                              .origin = {origin.x, origin.y}};
    const auto colour = [](COLORREF c) { return static_cast<std::uint32_t>(c); };
    GdiFlush();
    FillTarget(target, 0xFFFFFF);
    DrawBorder(dc, model, at);
    GdiFlush();
    const auto visible = [&](const CNovelItem& item) {
        return area.Meets(item.X - 4, item.Y - 4, std::int64_t{item.X} + kItemBoxWidth + 4,
                          std::int64_t{item.Y} + kItemBoxHeight + 4);
    };
    for (int index = 0; index < items.Count(); ++index) {
        const CNovelItem& item = items[index];
        if (!visible(item)) {
            continue;
        }
        const ChartPoint corner{item.X, item.Y};
        const TypeColours& colours = ColoursOf(item);
        FillStamp(target, stamps.shadow, corner, colour(colours.shadow));
        FillStamp(target, stamps.body, corner, colour(colours.body));
        const bool current = index == scene.currentItem;
        if (current || (scene.selection != nullptr && scene.selection->active &&
                        scene.selection->Holds(index))) {
            HatchStamp(target, stamps.selectionInside, corner, colour(kSelectionColour),
                       stamps.hatch);
            FillStamp(target, stamps.selectionOutline, corner, colour(kSelectionColour));
        }
        if (current) {
            FillStamp(target, stamps.currentOutline, corner, colour(kCurrentColour));
        }
    }
    RasterLinks(target, items, VisibleLinks(items), colour(kLinkColour),
                colour(kCounterLinkColour));
    for (int index = 0; index < items.Count(); ++index) {
        const CNovelItem& item = items[index];
        if (!visible(item)) {
            continue;
        }
        const ChartPoint corner{item.X, item.Y};
        FillStamp(target, stamps.anchorShadow, corner, colour(kAnchorShadowColour));
        FillStamp(target, stamps.anchor, corner, colour(kAnchorColour));
        DarkenStamp(target, stamps.Name(item.Name, index == scene.currentItem), corner);
        if (scene.markName != nullptr && scene.markImages != nullptr &&
            item.Name == *scene.markName) {
            ImageList_Draw(scene.markImages, 0, dc, at.X(item.X + 120), at.Y(item.Y + 4),
                           ILD_TRANSPARENT);
            GdiFlush();
        }
    }
}

} // namespace

void PaintChart(HDC dc, const ChartScene& scene, POINT origin, int width, int height,
                std::uint8_t* pixels, std::size_t stride) noexcept {
    if (pixels != nullptr && scene.stamps != nullptr) {
        try {
            PaintStamped(dc, scene, origin, width, height, pixels, stride);
            return;
        } catch (...) {
            // Out of memory for a name's stamp: GDI draws the picture instead.
        }
    }
    const CNovelModel& model = *scene.model;
    const CNovelItems& items = model.Items;
    const Mapper at(origin);
    const Area area{origin.x, origin.y, std::int64_t{origin.x} + width,
                    std::int64_t{origin.y} + height};
    const int saved = SaveDC(dc);

    // The hatching keeps its phase to the chart, wherever the part starts.
    SetBrushOrgEx(dc, static_cast<int>(((-origin.x) % 8 + 8) % 8),
                  static_cast<int>(((-origin.y) % 8 + 8) % 8), nullptr);

    // 1. Ground.
    const RECT whole{0, 0, width, height};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    // 2. The border: its right and bottom edges show along the last column and row.
    DrawBorder(dc, model, at);

    // 3.-4. Boxes, later over earlier, with the selection's hatching and the current outline.
    {
        std::array<BrushHandle, 3> shadows;
        std::array<BrushHandle, 3> bodies;
        for (std::size_t type = 0; type < kTypeColours.size(); ++type) {
            shadows[type].Reset(CreateSolidBrush(kTypeColours[type].shadow));
            bodies[type].Reset(CreateSolidBrush(kTypeColours[type].body));
        }
        const BrushHandle hatch(CreateHatchBrush(HS_BDIAGONAL, kSelectionColour));
        const PenHandle selectionPen(CreatePen(PS_SOLID, 1, kSelectionColour));
        const PenHandle currentPen(CreatePen(PS_SOLID, 3, kCurrentColour));
        const SelectScope noPen(dc, GetStockObject(NULL_PEN));
        const SelectScope anyBrush(dc, GetStockObject(NULL_BRUSH));
        SetBkMode(dc, TRANSPARENT);
        for (int index = 0; index < items.Count(); ++index) {
            const CNovelItem& item = items[index];
            const std::int64_t x = item.X;
            const std::int64_t y = item.Y;
            if (!area.Meets(x, y, x + kItemBoxWidth + 2, y + kItemBoxHeight + 2)) {
                continue;
            }
            const std::size_t type = item.LinkType < kTypeColours.size() ? item.LinkType : 0;
            SelectObject(dc, GetStockObject(NULL_PEN));
            SelectObject(dc, shadows[type].Get());
            RoundRect(dc, at.X(x + 2), at.Y(y + 2), at.X(x + 142), at.Y(y + 24), kCorner, kCorner);
            SelectObject(dc, bodies[type].Get());
            RoundRect(dc, at.X(x), at.Y(y), at.X(x + 140), at.Y(y + 22), kCorner, kCorner);
            const bool current = index == scene.currentItem;
            const bool selected = scene.selection != nullptr && scene.selection->active &&
                                  scene.selection->Holds(index);
            if (current || selected) {
                SelectObject(dc, hatch.Get());
                SelectObject(dc, selectionPen.Get());
                RoundRect(dc, at.X(x), at.Y(y), at.X(x + 140), at.Y(y + 22), kCorner, kCorner);
            }
            if (current) {
                SelectObject(dc, GetStockObject(NULL_BRUSH));
                SelectObject(dc, currentPen.Get());
                RoundRect(dc, at.X(x + 1), at.Y(y + 1), at.X(x + 139), at.Y(y + 21), kCorner,
                          kCorner);
            }
        }
    }

    // 5. Links over the boxes, in item and slot order.
    if (pixels != nullptr) {
        GdiFlush(); // the boxes are in the pixels before the links go over them
        RasterLinks({.pixels = pixels,
                     .stride = stride,
                     .width = width,
                     .height = height,
                     .origin = {origin.x, origin.y}},
                    items, VisibleLinks(items), kLinkColour, kCounterLinkColour);
    } else {
        const PenHandle pens[2] = {PenHandle(CreatePen(PS_SOLID, 1, kLinkColour)),
                                   PenHandle(CreatePen(PS_SOLID, 1, kCounterLinkColour))};
        const BrushHandle brushes[2] = {BrushHandle(CreateSolidBrush(kLinkColour)),
                                        BrushHandle(CreateSolidBrush(kCounterLinkColour))};
        const SelectScope keepPen(dc, pens[0].Get());
        const SelectScope keepBrush(dc, brushes[0].Get());
        SetROP2(dc, R2_COPYPEN);
        int selected = 0;
        for (const ChartLink& link : VisibleLinks(items)) {
            const ChartPoint from = AnchorOf(items[link.source].X, items[link.source].Y);
            const ChartPoint to = AnchorOf(items[link.target].X, items[link.target].Y);
            // The arrowhead reaches at most 13 pixels from the target anchor.
            if (!area.Meets(std::min(from.x, to.x) - 14, std::min(from.y, to.y) - 14,
                            std::max(from.x, to.x) + 15, std::max(from.y, to.y) + 15)) {
                continue;
            }
            const int colour = link.usesCounter ? 1 : 0;
            if (colour != selected) {
                SelectObject(dc, pens[colour].Get());
                SelectObject(dc, brushes[colour].Get());
                selected = colour;
            }
            MoveToEx(dc, at.X(from.x), at.Y(from.y), nullptr);
            LineTo(dc, at.X(to.x), at.Y(to.y));
            if (const auto head = ArrowHead(from, to)) {
                const POINT corners[3] = {{at.X((*head)[0].x), at.Y((*head)[0].y)},
                                          {at.X((*head)[1].x), at.Y((*head)[1].y)},
                                          {at.X((*head)[2].x), at.Y((*head)[2].y)}};
                Polygon(dc, corners, 3);
            }
        }
    }

    // 6.-7. Anchors, names and marks over the links.
    {
        const BrushHandle anchorShadow(CreateSolidBrush(kAnchorShadowColour));
        const BrushHandle anchor(CreateSolidBrush(kAnchorColour));
        const SelectScope noPen(dc, GetStockObject(NULL_PEN));
        const SelectScope keepBrush(dc, anchor.Get());
        const SelectScope keepFont(dc, scene.nameFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        for (int index = 0; index < items.Count(); ++index) {
            const CNovelItem& item = items[index];
            const std::int64_t x = item.X;
            const std::int64_t y = item.Y;
            if (!area.Meets(x, y, x + kItemBoxWidth + 2, y + kItemBoxHeight + 2)) {
                continue;
            }
            const ChartPoint a = AnchorOf(x, y);
            SelectObject(dc, anchorShadow.Get());
            Ellipse(dc, at.X(a.x - 4), at.Y(a.y - 4), at.X(a.x + 6), at.Y(a.y + 6));
            SelectObject(dc, anchor.Get());
            Ellipse(dc, at.X(a.x - 5), at.Y(a.y - 5), at.X(a.x + 5), at.Y(a.y + 5));
            SelectObject(dc, index == scene.currentItem ? scene.currentNameFont : scene.nameFont);
            const std::u16string name = sjis::ToUtf16(item.Name);
            const RECT clip{at.X(x), at.Y(y), at.X(x + 136), at.Y(y + 22)};
            ExtTextOutW(dc, at.X(x + 18), at.Y(y + 5), ETO_CLIPPED, &clip,
                        reinterpret_cast<const wchar_t*>(name.c_str()),
                        static_cast<UINT>(name.size()), nullptr);
            if (scene.markName != nullptr && scene.markImages != nullptr &&
                item.Name == *scene.markName) {
                ImageList_Draw(scene.markImages, 0, dc, at.X(x + 120), at.Y(y + 4),
                               ILD_TRANSPARENT);
            }
        }
    }
    RestoreDC(dc, saved);
}

} // namespace miravo
