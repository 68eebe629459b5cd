#include "editor/chart/ChartPainter.h"

#include "editor/chart/ChartLinks.h"
#include "editor/chart/ChartRaster.h"
#include "editor/chart/ChartStamps.h"
#include "editor/widgets/Handles.h"
#include "novel/NovelData.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

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

// Rows painted together: every figure of a band is drawn while the band is in the cache (64
// rows of a 3000-pixel chart are 576 KB, which a 1 MB second-level cache holds with room for the
// links' own data; 128 rows did not fit, and each steep line's pixel then came from further off).
constexpr int kBandRows = 64;

// The pixels GDI's dash-dot border sets in the picture, as runs in picture coordinates: drawn
// by GDI on its rows and columns darkened first, then read back.
std::vector<StampRun> BorderRuns(HDC dc, const CNovelModel& model, const Mapper& at,
                                 const RasterTarget& target) {
    const std::int64_t columns[] = {-1 - target.origin.x,
                                    std::int64_t{model.Header.ChartWidth} - 1 - target.origin.x};
    const std::int64_t rows[] = {-1 - target.origin.y,
                                 std::int64_t{model.Header.ChartHeight} - 1 - target.origin.y};
    const auto inColumns = [&](std::int64_t x) { return x >= 0 && x < target.width; };
    const auto inRows = [&](std::int64_t y) { return y >= 0 && y < target.height; };
    const auto pixel = [&](std::int64_t x, std::int64_t y) {
        return target.pixels + static_cast<std::size_t>(y) * target.stride +
               static_cast<std::size_t>(x) * 3;
    };
    GdiFlush();
    for (const std::int64_t x : columns) {
        for (int y = 0; inColumns(x) && y < target.height; ++y) {
            std::memset(pixel(x, y), 0, 3);
        }
    }
    for (const std::int64_t y : rows) {
        if (inRows(y)) {
            std::memset(pixel(0, y), 0, static_cast<std::size_t>(target.width) * 3);
        }
    }
    DrawBorder(dc, model, at);
    GdiFlush();
    const auto pen = [&](std::int64_t x, std::int64_t y) {
        const std::uint8_t* p = pixel(x, y);
        return p[0] == GetBValue(kBorderColour) && p[1] == GetGValue(kBorderColour) &&
               p[2] == GetRValue(kBorderColour);
    };
    std::vector<StampRun> runs;
    for (const std::int64_t y : rows) {
        for (int x = 0; inRows(y) && x < target.width;) {
            if (!pen(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < target.width && pen(x, y)) {
                ++x;
            }
            runs.push_back({static_cast<int>(y), start, x});
        }
    }
    for (const std::int64_t x : columns) {
        for (int y = 0; inColumns(x) && y < target.height; ++y) {
            if (pen(x, y)) {
                runs.push_back({y, static_cast<int>(x), static_cast<int>(x) + 1});
            }
        }
    }
    return runs;
}

void Compose(ChartStamps& stamps) {
    if (stamps.composed) {
        return;
    }
    const auto colour = [](COLORREF c) { return static_cast<std::uint32_t>(c); };
    for (std::size_t type = 0; type < kTypeColours.size(); ++type) {
        stamps.boxes[type] = ComposeStamp({{&stamps.shadow, colour(kTypeColours[type].shadow)},
                                           {&stamps.body, colour(kTypeColours[type].body)}});
    }
    stamps.anchors = ComposeStamp({{&stamps.anchorShadow, colour(kAnchorShadowColour)},
                                   {&stamps.anchor, colour(kAnchorColour)}});
    stamps.composed = true;
}

// The same picture with every figure stamped into the pixels band by band; GDI draws only the
// border, once, and the stamps' captures.
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
    Compose(stamps);
    stamps.ForgetNamesIfMany();
    const std::vector<StampRun> border = BorderRuns(dc, model, at, target);

    // The boxes that show, with what each needs, listed by the bands they meet.
    struct Shown {
        ChartPoint corner;
        const ColourStamp* box;
        const TextStamp* name;
        bool current;
        bool selected;
        bool marked;
    };
    std::vector<Shown> shown;
    const int bandCount = height <= 0 ? 0 : (height + kBandRows - 1) / kBandRows;
    std::vector<std::vector<std::uint32_t>> bandItems(static_cast<std::size_t>(bandCount));
    const bool marking = scene.markName != nullptr && scene.markImages != nullptr;
    const ColourStamp* mark = marking ? &stamps.Mark(scene.markImages) : nullptr;
    for (int index = 0; index < items.Count(); ++index) {
        const CNovelItem& item = items[index];
        const std::int64_t low = std::int64_t{item.Y} - 4;
        const std::int64_t high = std::int64_t{item.Y} + kItemBoxHeight + 4;
        if (!area.Meets(item.X - 4, low, std::int64_t{item.X} + kItemBoxWidth + 4, high)) {
            continue;
        }
        const bool current = index == scene.currentItem;
        shown.push_back(
            {.corner = {item.X, item.Y},
             .box = &stamps.boxes[item.LinkType < kTypeColours.size() ? item.LinkType : 0],
             .name = &stamps.Name(item.Name, current),
             .current = current,
             .selected = scene.selection != nullptr && scene.selection->active &&
                         scene.selection->Holds(index),
             .marked = marking && item.Name == *scene.markName});
        const auto bandOf = [&](std::int64_t y) {
            return static_cast<int>(std::clamp<std::int64_t>(y - origin.y, 0, height - 1) /
                                    kBandRows);
        };
        for (int band = bandOf(low); band <= bandOf(high - 1); ++band) {
            bandItems[static_cast<std::size_t>(band)].push_back(
                static_cast<std::uint32_t>(shown.size() - 1));
        }
    }
    // What follows touches only pixels and what the stamps hold, so the upper and lower half of
    // the picture are painted at once: first the heads of the links (split by number), then the
    // bands (split by rows; each half walks its own part of each line).
    const std::vector<ChartLink> links = VisibleLinks(items);
    LinkCache& heads = stamps.links;
    heads.Fit(links.size());
    const std::size_t halfLinks = links.size() / 2;
    stamps.helper.RunAlongside(
        [&] { heads.PrepareHeads(target, items, links, halfLinks, links.size()); },
        [&] { heads.PrepareHeads(target, items, links, 0, halfLinks); });
    const ChartPoint pictureCorner{origin.x, origin.y};
    const auto paintBands = [&](int firstBand, int endBand, LinkWork& work) {
        const int top = firstBand * kBandRows;
        const int bottom = std::min(height, endBand * kBandRows);
        if (top >= bottom) {
            return;
        }
        LinkBands linkBands(target.Rows(top, bottom - top), kBandRows, items, links,
                            colour(kLinkColour), colour(kCounterLinkColour), heads, work);
        for (int band = firstBand; band < endBand; ++band) {
            const int bandTop = band * kBandRows;
            const RasterTarget rows = target.Rows(bandTop, std::min(kBandRows, height - bandTop));
            FillTarget(rows, 0xFFFFFF);
            FillStampRuns(rows, border, pictureCorner, colour(kBorderColour));
            const auto& members = bandItems[static_cast<std::size_t>(band)];
            for (const std::uint32_t i : members) {
                const Shown& box = shown[i];
                CopyStamp(rows, *box.box, box.corner);
                if (box.current || box.selected) {
                    HatchStamp(rows, stamps.selectionInside, box.corner, colour(kSelectionColour),
                               stamps.hatch);
                    FillStamp(rows, stamps.selectionOutline, box.corner, colour(kSelectionColour));
                }
                if (box.current) {
                    FillStamp(rows, stamps.currentOutline, box.corner, colour(kCurrentColour));
                }
            }
            linkBands.DrawBand(band - firstBand);
            for (const std::uint32_t i : members) {
                const Shown& box = shown[i];
                CopyStamp(rows, stamps.anchors, box.corner);
                DarkenStamp(rows, *box.name, box.corner);
                if (box.marked) {
                    CopyStamp(rows, *mark, box.corner);
                }
            }
        }
    };
    const int halfBands = bandCount / 2;
    stamps.helper.RunAlongside([&] { paintBands(halfBands, bandCount, stamps.linkWork[1]); },
                               [&] { paintBands(0, halfBands, stamps.linkWork[0]); });
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
