#include "editor/chart/ChartRaster.h"

#include "novel/NovelData.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

// Bresenham's line in closed form: along the major axis step i has minor offset
// floor((2·i·minor + major) / (2·major)), so the part inside the picture is found without
// walking the part outside it. `steps` pixels from the start are drawn.
void Line(const RasterTarget& target, std::int64_t x0, std::int64_t y0, std::int64_t x1,
          std::int64_t y1, std::int64_t steps, std::uint32_t colour) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    // Picture bounds in chart coordinates along each axis.
    const std::int64_t left = target.origin.x;
    const std::int64_t top = target.origin.y;
    const std::int64_t right = left + target.width - 1;
    const std::int64_t bottom = top + target.height - 1;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t majorLow = xMajor ? left : top;
    const std::int64_t majorHigh = xMajor ? right : bottom;
    // Steps whose major coordinate lies inside the picture.
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, majorLow - majorStart);
        last = std::min(last, majorHigh - majorStart);
    } else {
        first = std::max(first, majorStart - majorHigh);
        last = std::min(last, majorStart - majorLow);
    }
    if (major == 0) {
        if (steps > 0 && x0 >= left && x0 <= right && y0 >= top && y0 <= bottom) {
            Put(target, x0 - left, y0 - top, colour);
        }
        return;
    }
    const std::int64_t minorLow = xMajor ? top : left;
    const std::int64_t minorHigh = xMajor ? bottom : right;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    std::int64_t numerator = 2 * first * minor + major; // offset = floor(numerator / (2·major))
    std::int64_t offset = FloorDiv(numerator, 2 * major);
    std::int64_t remainder = numerator - offset * 2 * major;
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t m = majorStart + majorSign * i;
        const std::int64_t n = minorStart + minorSign * offset;
        if (n >= minorLow && n <= minorHigh) {
            if (xMajor) {
                Put(target, m - left, n - top, colour);
            } else {
                Put(target, n - left, m - top, colour);
            }
        } else if ((minorSign > 0 && n > minorHigh) || (minorSign < 0 && n < minorLow)) {
            break; // left the picture for good
        }
        remainder += 2 * minor;
        while (remainder >= 2 * major) {
            remainder -= 2 * major;
            ++offset;
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
