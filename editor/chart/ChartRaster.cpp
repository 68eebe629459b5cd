#include "editor/chart/ChartRaster.h"

#include "novel/NovelData.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace miravo {

namespace {

void Put(const RasterTarget& target, std::int64_t x, std::int64_t y, std::uint32_t colour) {
    std::uint8_t* pixel = target.pixels + static_cast<std::size_t>(y) * target.stride +
                          static_cast<std::size_t>(x) * 3;
    pixel[0] = static_cast<std::uint8_t>(colour >> 16);
    pixel[1] = static_cast<std::uint8_t>(colour >> 8);
    pixel[2] = static_cast<std::uint8_t>(colour);
}

// Floor division for a positive divisor.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

// Bresenham's line in closed form: along the major axis step i has minor offset
// floor((2·i·minor + major) / (2·major)), so the steps inside the picture are found first and
// drawn without a test per pixel. `steps` pixels from the start are drawn.
void Line(const RasterTarget& target, std::int64_t x0, std::int64_t y0, std::int64_t x1,
          std::int64_t y1, std::int64_t steps, std::uint32_t colour) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t left = target.origin.x;
    const std::int64_t top = target.origin.y;
    const std::int64_t right = left + target.width - 1;
    const std::int64_t bottom = top + target.height - 1;
    if (major == 0) {
        if (steps > 0 && x0 >= left && x0 <= right && y0 >= top && y0 <= bottom) {
            Put(target, x0 - left, y0 - top, colour);
        }
        return;
    }
    // Steps whose major coordinate lies inside the picture...
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t majorLow = xMajor ? left : top;
    const std::int64_t majorHigh = xMajor ? right : bottom;
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, majorLow - majorStart);
        last = std::min(last, majorHigh - majorStart);
    } else {
        first = std::max(first, majorStart - majorHigh);
        last = std::min(last, majorStart - majorLow);
    }
    // ...and whose minor offset does: offset(i) >= low exactly when i >= ceil((2·major·low -
    // major) / (2·minor)), offset(i) <= high when i < ceil((2·major·(high + 1) - major) /
    // (2·minor)).
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const std::int64_t minorLow = xMajor ? top : left;
    const std::int64_t minorHigh = xMajor ? bottom : right;
    std::int64_t low = minorSign > 0 ? minorLow - minorStart : minorStart - minorHigh;
    std::int64_t high = minorSign > 0 ? minorHigh - minorStart : minorStart - minorLow;
    if (minor == 0) {
        if (low > 0 || high < 0) {
            return;
        }
    } else {
        first = std::max(first, CeilDiv(2 * major * low - major, 2 * minor));
        last = std::min(last, CeilDiv(2 * major * (high + 1) - major, 2 * minor) - 1);
    }
    if (first > last) {
        return;
    }
    const std::int64_t numerator = 2 * first * minor + major;
    const std::int64_t offset = FloorDiv(numerator, 2 * major);
    std::int64_t error = numerator - offset * 2 * major; // 0 <= error < 2·major
    const std::int64_t m = majorStart + majorSign * first;
    const std::int64_t n = minorStart + minorSign * offset;
    const std::int64_t px = (xMajor ? m : n) - left;
    const std::int64_t py = (xMajor ? n : m) - top;
    const auto stride = static_cast<std::ptrdiff_t>(target.stride);
    const std::ptrdiff_t majorStep = xMajor ? 3 * majorSign : stride * majorSign;
    const std::ptrdiff_t minorStep = xMajor ? stride * minorSign : 3 * minorSign;
    std::uint8_t* pixel = target.pixels + py * stride + px * 3;
    const auto b = static_cast<std::uint8_t>(colour >> 16);
    const auto g = static_cast<std::uint8_t>(colour >> 8);
    const auto r = static_cast<std::uint8_t>(colour);
    const std::int64_t step = 2 * minor;
    const std::int64_t wrap = 2 * major;
    for (std::int64_t i = first; i <= last; ++i) {
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
        pixel += majorStep;
        error += step;
        if (error >= wrap) {
            error -= wrap;
            pixel += minorStep;
        }
    }
}

} // namespace

void RasterLine(const RasterTarget& target, ChartPoint from, ChartPoint to, std::uint32_t colour) {
    const std::int64_t length = std::max(std::llabs(to.x - from.x), std::llabs(to.y - from.y));
    Line(target, from.x, from.y, to.x, to.y, length, colour);
}

void RasterTriangle(const RasterTarget& target, const std::array<ChartPoint, 3>& corners,
                    std::uint32_t colour) {
    const std::int64_t left = target.origin.x;
    const std::int64_t top = target.origin.y;
    const std::int64_t minY = std::max(std::min({corners[0].y, corners[1].y, corners[2].y}), top);
    const std::int64_t maxY =
        std::min(std::max({corners[0].y, corners[1].y, corners[2].y}), top + target.height - 1);
    // The inside: every pixel whose point lies within the three edges.
    for (std::int64_t y = minY; y <= maxY; ++y) {
        double low = 1e18;
        double high = -1e18;
        for (int e = 0; e < 3; ++e) {
            const ChartPoint a = corners[e];
            const ChartPoint b = corners[(e + 1) % 3];
            if ((a.y <= y && y <= b.y) || (b.y <= y && y <= a.y)) {
                if (a.y == b.y) {
                    low = std::min({low, double(a.x), double(b.x)});
                    high = std::max({high, double(a.x), double(b.x)});
                } else {
                    const double x = a.x + double(b.x - a.x) * double(y - a.y) / double(b.y - a.y);
                    low = std::min(low, x);
                    high = std::max(high, x);
                }
            }
        }
        const auto from = std::max<std::int64_t>(static_cast<std::int64_t>(std::ceil(low)), left);
        const auto to = std::min<std::int64_t>(static_cast<std::int64_t>(std::floor(high)),
                                               left + target.width - 1);
        for (std::int64_t x = from; x <= to; ++x) {
            Put(target, x - left, y - top, colour);
        }
    }
    // The outline, every corner included.
    for (int e = 0; e < 3; ++e) {
        const ChartPoint a = corners[e];
        const ChartPoint b = corners[(e + 1) % 3];
        const std::int64_t length = std::max(std::llabs(b.x - a.x), std::llabs(b.y - a.y));
        Line(target, a.x, a.y, b.x, b.y, length + 1, colour);
    }
}

void RasterLinks(const RasterTarget& target, const CNovelItems& items,
                 const std::vector<ChartLink>& links, std::uint32_t plainColour,
                 std::uint32_t counterColour) {
    const std::int64_t left = target.origin.x;
    const std::int64_t top = target.origin.y;
    const std::int64_t right = left + target.width;
    const std::int64_t bottom = top + target.height;
    for (const ChartLink& link : links) {
        const ChartPoint from = AnchorOf(items[link.source].X, items[link.source].Y);
        const ChartPoint to = AnchorOf(items[link.target].X, items[link.target].Y);
        // The arrowhead reaches at most 13 pixels from the target anchor.
        if (std::max(from.x, to.x) + 14 < left || std::min(from.x, to.x) - 14 >= right ||
            std::max(from.y, to.y) + 14 < top || std::min(from.y, to.y) - 14 >= bottom) {
            continue;
        }
        const std::uint32_t colour = link.usesCounter ? counterColour : plainColour;
        RasterLine(target, from, to, colour);
        if (const auto head = ArrowHead(from, to)) {
            RasterTriangle(target, *head, colour);
        }
    }
}

} // namespace miravo

namespace miravo {

namespace {

// The part of a run inside the picture, in picture columns; false when none of it is.
bool ClipRun(const RasterTarget& target, const StampRun& run, ChartPoint at, std::int64_t& row,
             std::int64_t& from, std::int64_t& to) {
    row = at.y + run.y - target.origin.y;
    if (row < 0 || row >= target.height) {
        return false;
    }
    from = std::max<std::int64_t>(at.x + run.x0 - target.origin.x, 0);
    to = std::min<std::int64_t>(at.x + run.x1 - target.origin.x, target.width);
    return from < to;
}

void FillRow(std::uint8_t* row, std::int64_t from, std::int64_t to, std::uint32_t colour) {
    const auto b = static_cast<std::uint8_t>(colour >> 16);
    const auto g = static_cast<std::uint8_t>(colour >> 8);
    const auto r = static_cast<std::uint8_t>(colour);
    std::uint8_t* pixel = row + from * 3;
    for (std::int64_t x = from; x < to; ++x, pixel += 3) {
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
    }
}

} // namespace

void FillStamp(const RasterTarget& target, const ShapeStamp& stamp, ChartPoint at,
               std::uint32_t colour) {
    for (const StampRun& run : stamp.runs) {
        std::int64_t row = 0, from = 0, to = 0;
        if (ClipRun(target, run, at, row, from, to)) {
            FillRow(target.pixels + static_cast<std::size_t>(row) * target.stride, from, to,
                    colour);
        }
    }
}

void HatchStamp(const RasterTarget& target, const ShapeStamp& stamp, ChartPoint at,
                std::uint32_t colour, const std::array<std::uint8_t, 64>& pattern) {
    for (const StampRun& run : stamp.runs) {
        std::int64_t row = 0, from = 0, to = 0;
        if (!ClipRun(target, run, at, row, from, to)) {
            continue;
        }
        const std::uint8_t* line = pattern.data() + ((row + target.origin.y) & 7) * 8;
        std::uint8_t* pixels = target.pixels + static_cast<std::size_t>(row) * target.stride;
        for (std::int64_t x = from; x < to; ++x) {
            if (line[(x + target.origin.x) & 7] != 0) {
                FillRow(pixels, x, x + 1, colour);
            }
        }
    }
}

void DarkenStamp(const RasterTarget& target, const TextStamp& stamp, ChartPoint at) {
    for (const StampRun& run : stamp.runs) {
        std::int64_t row = 0, from = 0, to = 0;
        if (!ClipRun(target, run, at, row, from, to)) {
            continue;
        }
        std::uint8_t* out =
            target.pixels + static_cast<std::size_t>(row) * target.stride + from * 3;
        const std::uint8_t* in =
            stamp.pixels.data() + (static_cast<std::size_t>(run.y) * stamp.width +
                                   static_cast<std::size_t>(from + target.origin.x - at.x)) *
                                      3;
        for (std::int64_t n = (to - from) * 3; n > 0; --n, ++out, ++in) {
            *out = static_cast<std::uint8_t>((*out * (*in + 1)) >> 8);
        }
    }
}

void FillTarget(const RasterTarget& target, std::uint32_t colour) {
    if (colour == 0xFFFFFF) {
        std::memset(target.pixels, 0xFF, target.stride * static_cast<std::size_t>(target.height));
        return;
    }
    for (int row = 0; row < target.height; ++row) {
        FillRow(target.pixels + static_cast<std::size_t>(row) * target.stride, 0, target.width,
                colour);
    }
}

} // namespace miravo
