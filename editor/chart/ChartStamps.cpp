#include "editor/chart/ChartStamps.h"

#include "editor/chart/ChartBitmapFile.h"
#include "editor/chart/ChartGeometry.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/Paint.h"
#include "novel/ShiftJis.h"

#include <commctrl.h>

#include <cstring>
#include <functional>
#include <optional>

namespace miravo {

namespace {

constexpr int kCorner = 14;
// Captures reach this far around the box's corner.
constexpr int kMargin = 4;
constexpr int kWidth = kItemBoxWidth + 2 * kMargin + 4;
constexpr int kHeight = kItemBoxHeight + 2 * kMargin + 4;

// Draws into a 24-bit picture (the chart's own kind, so GDI rasterises alike) cleared to
// `ground`, with the box's corner at (kMargin, kMargin); returns the pixels.
std::vector<std::uint8_t> Capture(int width, int height, COLORREF ground,
                                  const std::function<void(HDC)>& draw) {
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* bits = nullptr;
    const BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        return {};
    }
    {
        const BitmapDc dc(bitmap.Get());
        const BrushHandle groundBrush(CreateSolidBrush(ground));
        const RECT all{0, 0, width, height};
        FillRect(dc.Get(), &all, groundBrush.Get());
        draw(dc.Get());
        GdiFlush();
    }
    const auto* bytes = static_cast<const std::uint8_t*>(bits);
    return {bytes, bytes + BmpRowBytes(width) * static_cast<std::size_t>(height)};
}

COLORREF PixelOf(const std::vector<std::uint8_t>& pixels, int width, int x, int y) {
    const std::uint8_t* p = pixels.data() + BmpRowBytes(width) * y + x * 3;
    return RGB(p[2], p[1], p[0]);
}

// Runs of the pixels of one colour, relative to the box's corner.
ShapeStamp RunsOf(const std::vector<std::uint8_t>& pixels, int width, int height, int margin,
                  COLORREF colour) {
    ShapeStamp stamp;
    if (pixels.empty()) {
        return stamp;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width;) {
            if (PixelOf(pixels, width, x, y) != colour) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && PixelOf(pixels, width, x, y) == colour) {
                ++x;
            }
            stamp.runs.push_back({y - margin, start - margin, x - margin});
        }
    }
    return stamp;
}

ShapeStamp Shape(const std::function<void(HDC)>& draw) {
    const auto pixels = Capture(kWidth, kHeight, RGB(0, 0, 0), [&](HDC dc) {
        SetViewportOrgEx(dc, kMargin, kMargin, nullptr);
        draw(dc);
    });
    return RunsOf(pixels, kWidth, kHeight, kMargin, RGB(255, 255, 255));
}

// A filled figure without outline, in white.
ShapeStamp Filled(const std::function<void(HDC)>& figure) {
    return Shape([&](HDC dc) {
        const SelectScope pen(dc, GetStockObject(NULL_PEN));
        const SelectScope brush(dc, GetStockObject(WHITE_BRUSH));
        figure(dc);
    });
}

// The pixels from the first to one past the last that are not white in a row of `width`
// pixels, found eight bytes at a time; an empty range for a white row.
std::pair<int, int> InkedPixels(const std::uint8_t* row, int width) {
    const int bytes = width * 3;
    const auto white8 = [&](int at) {
        std::uint64_t word = 0;
        std::memcpy(&word, row + at, 8);
        return word == ~std::uint64_t{0};
    };
    int first = 0;
    while (first + 8 <= bytes && white8(first)) {
        first += 8;
    }
    while (first < bytes && row[first] == 0xFF) {
        ++first;
    }
    if (first == bytes) {
        return {0, 0};
    }
    int last = bytes; // one past the last inked byte
    while (last - 8 >= first && white8(last - 8)) {
        last -= 8;
    }
    while (row[last - 1] == 0xFF) {
        --last;
    }
    return {first / 3, (last - 1) / 3 + 1};
}

} // namespace

// One name's picture with its device context, kept for every name's capture: making them anew
// for each of thousands of names was most of the first repaint of a large chart under Windows.
class NameCanvas {
public:
    static constexpr int kWidth = kItemBoxWidth - 4; // names are clipped at 136
    static constexpr int kHeight = kItemBoxHeight;

    NameCanvas() {
        const BITMAPINFO info = TopDownDibInfo(kWidth, kHeight);
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        if (!bitmap_) {
            return;
        }
        dc_.emplace(bitmap_.Get());
        SetBkMode(dc_->Get(), TRANSPARENT);
        SetTextColor(dc_->Get(), RGB(0, 0, 0));
        SetTextAlign(dc_->Get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    NameCanvas(const NameCanvas&) = delete;
    NameCanvas& operator=(const NameCanvas&) = delete;
    ~NameCanvas() {
        if (dc_ && originalFont_ != nullptr) {
            SelectObject(dc_->Get(), originalFont_); // the chart's fonts stay deletable
        }
    }

    // The name drawn black on white at (18, 5), as the chart draws it; rows padded to four
    // bytes. Empty when the canvas could not be made. The ground is set in the pixels and the
    // font only when it changes: each GDI call costs more than the text under Windows.
    const std::uint8_t* Draw(HFONT font, const std::u16string& name) {
        if (!dc_) {
            return nullptr;
        }
        const HDC dc = dc_->Get();
        if (font != font_) {
            const HGDIOBJ previous = SelectObject(dc, font);
            if (originalFont_ == nullptr) {
                originalFont_ = previous;
            }
            font_ = font;
        }
        std::memset(bits_, 0xFF, BmpRowBytes(kWidth) * kHeight); // GDI is done with them
        const RECT all{0, 0, kWidth, kHeight};
        ExtTextOutW(dc, 18, 5, ETO_CLIPPED, &all, reinterpret_cast<const wchar_t*>(name.c_str()),
                    static_cast<UINT>(name.size()), nullptr);
        GdiFlush();
        return static_cast<const std::uint8_t*>(bits_);
    }

private:
    BitmapHandle bitmap_;
    void* bits_ = nullptr;
    std::optional<BitmapDc> dc_; // after the bitmap, so that it lets go of it first
    HFONT font_ = nullptr;       // selected into dc_
    HGDIOBJ originalFont_ = nullptr;
};

ChartStamps::~ChartStamps() = default;

ChartStamps::ChartStamps(HFONT nameFont, HFONT currentNameFont, bool useSecondCore)
    : helper(useSecondCore), fonts_{nameFont, currentNameFont} {
    const auto box = [](int inset, int grow) {
        return [=](HDC dc) {
            RoundRect(dc, inset, inset, kItemBoxWidth + inset + grow, kItemBoxHeight + inset + grow,
                      kCorner, kCorner);
        };
    };
    shadow = Filled(box(2, 0));
    body = Filled(box(0, 0));
    // The selection's figure: pen and brush in two colours tell the outline from the inside.
    {
        const auto pixels = Capture(kWidth, kHeight, RGB(0, 0, 0), [&](HDC dc) {
            SetViewportOrgEx(dc, kMargin, kMargin, nullptr);
            const PenHandle pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
            const BrushHandle brush(CreateSolidBrush(RGB(0, 255, 0)));
            const SelectScope selectPen(dc, pen.Get());
            const SelectScope selectBrush(dc, brush.Get());
            box(0, 0)(dc);
        });
        selectionInside = RunsOf(pixels, kWidth, kHeight, kMargin, RGB(0, 255, 0));
        selectionOutline = RunsOf(pixels, kWidth, kHeight, kMargin, RGB(255, 0, 0));
    }
    currentOutline = Shape([&](HDC dc) {
        const PenHandle pen(CreatePen(PS_SOLID, 3, RGB(255, 255, 255)));
        const SelectScope selectPen(dc, pen.Get());
        const SelectScope brush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 1, 1, kItemBoxWidth - 1, kItemBoxHeight - 1, kCorner, kCorner);
    });
    anchorShadow = Filled([](HDC dc) { Ellipse(dc, 8 - 4, 11 - 4, 8 + 6, 11 + 6); });
    anchor = Filled([](HDC dc) { Ellipse(dc, 8 - 5, 11 - 5, 8 + 5, 11 + 5); });
    const auto pattern = Capture(8, 8, RGB(0, 0, 0), [](HDC dc) {
        const BrushHandle brush(CreateHatchBrush(HS_BDIAGONAL, RGB(255, 255, 255)));
        SetBkMode(dc, TRANSPARENT);
        SetBkColor(dc, RGB(0, 0, 0)); // the gaps stay black even where a fill paints them
        SetBrushOrgEx(dc, 0, 0, nullptr);
        const RECT all{0, 0, 8, 8};
        FillRect(dc, &all, brush.Get());
    });
    for (int y = 0; y < 8 && !pattern.empty(); ++y) {
        for (int x = 0; x < 8; ++x) {
            hatch[y * 8 + x] = PixelOf(pattern, 8, x, y) == RGB(255, 255, 255) ? 1 : 0;
        }
    }
}

void ChartStamps::ForgetNamesIfMany() {
    for (auto& cache : names_) {
        if (cache.size() > 2 * 2048) {
            cache.clear();
        }
    }
}

const ColourStamp& ChartStamps::Mark(HIMAGELIST images) {
    if (images == markImages_) {
        return mark_;
    }
    constexpr int kSize = 16;
    constexpr int kLeft = 120;
    constexpr int kTop = 4;
    const auto draw = [&](COLORREF ground) {
        return Capture(kSize, kSize, ground,
                       [&](HDC dc) { ImageList_Draw(images, 0, dc, 0, 0, ILD_TRANSPARENT); });
    };
    const auto onBlack = draw(RGB(0, 0, 0));
    const auto onWhite = draw(RGB(255, 255, 255));
    ColourStamp mark;
    mark.left = kLeft;
    mark.top = kTop;
    mark.width = kSize;
    if (!onBlack.empty() && !onWhite.empty()) {
        // Opaque where both grounds give the same colour; the ground shows through elsewhere.
        const auto opaque = [&](int x, int y) {
            return PixelOf(onBlack, kSize, x, y) == PixelOf(onWhite, kSize, x, y);
        };
        for (int y = 0; y < kSize; ++y) {
            const std::uint8_t* row = onBlack.data() + BmpRowBytes(kSize) * y;
            mark.pixels.insert(mark.pixels.end(), row, row + kSize * 3);
            for (int x = 0; x < kSize;) {
                if (!opaque(x, y)) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < kSize && opaque(x, y)) {
                    ++x;
                }
                mark.runs.push_back({kTop + y, kLeft + start, kLeft + x});
            }
        }
    }
    mark_ = std::move(mark);
    markImages_ = images;
    return mark_;
}

const TextStamp& ChartStamps::Name(const std::string& shiftJisName, bool current) {
    auto& cache = names_[current ? 1 : 0];
    if (const auto found = cache.find(shiftJisName); found != cache.end()) {
        return found->second;
    }
    constexpr int kTextWidth = NameCanvas::kWidth;
    TextStamp& stamp = cache[shiftJisName];
    stamp.width = kTextWidth;
    if (!canvas_) {
        canvas_ = std::make_unique<NameCanvas>();
    }
    const std::uint8_t* pixels =
        canvas_->Draw(fonts_[current ? 1 : 0], sjis::ToUtf16(shiftJisName));
    // Rows are padded in the capture; the stamp keeps `width` pixels a row.
    std::vector<std::uint8_t> packed;
    packed.reserve(std::size_t{kTextWidth} * 3 * kItemBoxHeight);
    const std::size_t row = BmpRowBytes(kTextWidth);
    const auto white = [&](int x, int y) {
        const std::uint8_t* p = pixels + y * row + x * 3;
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    };
    for (int y = 0; y < kItemBoxHeight && pixels != nullptr; ++y) {
        packed.insert(packed.end(), pixels + y * row, pixels + y * row + kTextWidth * 3);
        // Most of a row is white: only the part between its first and last ink is looked at
        // pixel by pixel (a name's first capture is most of a large chart's first repaint).
        const auto [first, end] = InkedPixels(pixels + y * row, kTextWidth);
        for (int x = first; x < end;) {
            if (white(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < end && !white(x, y)) {
                ++x;
            }
            stamp.runs.push_back({y, start, x});
        }
    }
    stamp.pixels = std::move(packed);
    return stamp;
}

} // namespace miravo
