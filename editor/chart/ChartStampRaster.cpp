#include "editor/chart/ChartStampRaster.h"

#include <algorithm>
#include <climits>
#include <cstring>

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

std::uint8_t* RowOf(const RasterTarget& target, std::int64_t row) {
    return target.pixels + static_cast<std::size_t>(row) * target.stride;
}

void PutPixel(std::uint8_t* pixel, std::uint32_t colour) {
    pixel[0] = static_cast<std::uint8_t>(colour >> 16);
    pixel[1] = static_cast<std::uint8_t>(colour >> 8);
    pixel[2] = static_cast<std::uint8_t>(colour);
}

} // namespace

void FillStamp(const RasterTarget& target, const ShapeStamp& stamp, ChartPoint at,
               std::uint32_t colour) {
    FillStampRuns(target, stamp.runs, at, colour);
}

void HatchStamp(const RasterTarget& target, const ShapeStamp& stamp, ChartPoint at,
                std::uint32_t colour, const std::array<std::uint8_t, 64>& pattern) {
    for (const StampRun& run : stamp.runs) {
        std::int64_t row = 0, from = 0, to = 0;
        if (!ClipRun(target, run, at, row, from, to)) {
            continue;
        }
        const std::uint8_t* line = pattern.data() + ((row + target.origin.y) & 7) * 8;
        std::uint8_t* pixels = RowOf(target, row);
        for (std::int64_t x = from; x < to; ++x) {
            if (line[(x + target.origin.x) & 7] != 0) {
                PutPixel(pixels + x * 3, colour);
            }
        }
    }
}

void CopyStamp(const RasterTarget& target, const ColourStamp& stamp, ChartPoint at) {
    const std::size_t stampStride = static_cast<std::size_t>(stamp.width) * 3;
    for (const StampRun& run : stamp.runs) {
        std::int64_t row = 0, from = 0, to = 0;
        if (!ClipRun(target, run, at, row, from, to)) {
            continue;
        }
        const std::uint8_t* in =
            stamp.pixels.data() + static_cast<std::size_t>(run.y - stamp.top) * stampStride +
            static_cast<std::size_t>(from + target.origin.x - at.x - stamp.left) * 3;
        std::memcpy(RowOf(target, row) + from * 3, in, static_cast<std::size_t>(to - from) * 3);
    }
}

void DarkenStamp(const RasterTarget& target, const TextStamp& stamp, ChartPoint at) {
    for (const StampRun& run : stamp.runs) {
        std::int64_t row = 0, from = 0, to = 0;
        if (!ClipRun(target, run, at, row, from, to)) {
            continue;
        }
        std::uint8_t* out = RowOf(target, row) + from * 3;
        const std::uint8_t* in =
            stamp.pixels.data() + (static_cast<std::size_t>(run.y) * stamp.width +
                                   static_cast<std::size_t>(from + target.origin.x - at.x)) *
                                      3;
        for (std::int64_t n = (to - from) * 3; n > 0; --n, ++out, ++in) {
            *out = static_cast<std::uint8_t>((*out * (*in + 1)) >> 8);
        }
    }
}

ColourStamp
ComposeStamp(std::initializer_list<std::pair<const ShapeStamp*, std::uint32_t>> layers) {
    ColourStamp stamp;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const auto& [shape, colour] : layers) {
        for (const StampRun& run : shape->runs) {
            left = std::min(left, run.x0);
            right = std::max(right, run.x1);
            top = std::min(top, run.y);
            bottom = std::max(bottom, run.y + 1);
        }
    }
    if (left >= right) {
        return stamp;
    }
    stamp.left = left;
    stamp.top = top;
    stamp.width = right - left;
    const int height = bottom - top;
    stamp.pixels.assign(static_cast<std::size_t>(stamp.width) * height * 3, 0);
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(stamp.width) * height, 0);
    const RasterTarget canvas{stamp.pixels.data(),
                              static_cast<std::size_t>(stamp.width) * 3,
                              stamp.width,
                              height,
                              {left, top}};
    for (const auto& [shape, colour] : layers) {
        FillStamp(canvas, *shape, {0, 0}, colour);
        for (const StampRun& run : shape->runs) {
            std::fill_n(covered.begin() + (run.y - top) * stamp.width + (run.x0 - left),
                        run.x1 - run.x0, 1);
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < stamp.width;) {
            if (covered[static_cast<std::size_t>(y) * stamp.width + x] == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < stamp.width && covered[static_cast<std::size_t>(y) * stamp.width + x] != 0) {
                ++x;
            }
            stamp.runs.push_back({y + top, start + left, x + left});
        }
    }
    return stamp;
}

void FillTarget(const RasterTarget& target, std::uint32_t colour) {
    const std::size_t rowBytes = static_cast<std::size_t>(target.width) * 3;
    if (target.height <= 0 || rowBytes == 0) {
        return;
    }
    if (colour == 0xFFFFFF) {
        // Row padding included: one stretch of memory.
        std::memset(target.pixels, 0xFF,
                    target.stride * static_cast<std::size_t>(target.height - 1) + rowBytes);
        return;
    }
    // The first row pixel by pixel, the others copies of it.
    for (int x = 0; x < target.width; ++x) {
        PutPixel(target.pixels + x * 3, colour);
    }
    for (int row = 1; row < target.height; ++row) {
        std::memcpy(RowOf(target, row), target.pixels, rowBytes);
    }
}

} // namespace miravo
