#include "editor/chart/ChartRaster.h"

#include "novel/NovelData.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>

namespace miravo {

namespace {

// Products of a line's length and a distance overflow 64 bits for positions near the ends of
// the 32-bit range (a damaged file can hold such).
using Wide = __int128;

// Floor and ceiling division for a positive divisor.
Wide FloorDiv(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
Wide CeilDiv(Wide a, Wide b) { return -FloorDiv(-a, b); }

using Walk = LineWalk;

// Bands of this many rows stay in the cache while their links are drawn.
constexpr int kLinkBandRows = 128;

// How many links ahead DrawBand fetches.
constexpr std::uint32_t kPrefetchAhead = 8;

// Fraction bits of the fixed-point walk.
constexpr int kFraction = 40;

// Bresenham's line in closed form: along the major axis step i has minor offset
// floor((2·i·minor + major - bias) / (2·major)). A line is walked downwards; one going up is
// walked from its end (which LineTo leaves out, step 0) to its start (step `major`) with bias 1,
// which rounds the ties the other way and so gives the same pixels as walking it forwards. The
// steps inside the picture are found once, so the walk needs no test per pixel.
bool StartWalk(const RasterTarget& target, ChartPoint from, ChartPoint to, Walk& walk) {
    const std::int64_t dx = to.x - from.x;
    const std::int64_t dy = to.y - from.y;
    const std::int64_t major = std::max(std::llabs(dx), std::llabs(dy));
    const std::int64_t minor = std::min(std::llabs(dx), std::llabs(dy));
    if (major == 0) {
        return false; // LineTo draws nothing
    }
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const bool down = dy >= 0;
    const ChartPoint start = down ? from : to;
    const std::int64_t sx = down ? dx : -dx;
    const std::int64_t sy = down ? dy : -dy;
    const std::int64_t bias = down ? 0 : 1;
    std::int64_t first = down ? 0 : 1;
    std::int64_t last = down ? major - 1 : major;
    const std::int64_t majorSign = (xMajor ? sx : sy) < 0 ? -1 : 1;
    const std::int64_t minorSign = (xMajor ? sy : sx) < 0 ? -1 : 1;
    const std::int64_t left = target.origin.x;
    const std::int64_t top = target.origin.y;
    const std::int64_t right = left + target.width - 1;
    const std::int64_t bottom = top + target.height - 1;
    const auto inside = [&](ChartPoint p) {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    };
    const std::int64_t majorStart = xMajor ? start.x : start.y;
    const std::int64_t minorStart = xMajor ? start.y : start.x;
    if (!inside(from) || !inside(to)) {
        // Steps whose major coordinate lies inside the picture...
        const std::int64_t majorLow = xMajor ? left : top;
        const std::int64_t majorHigh = xMajor ? right : bottom;
        if (majorSign > 0) {
            first = std::max(first, majorLow - majorStart);
            last = std::min(last, majorHigh - majorStart);
        } else {
            first = std::max(first, majorStart - majorHigh);
            last = std::min(last, majorStart - majorLow);
        }
        // ...and whose minor offset does: offset(i) >= low exactly when i >= ceil((2·major·low
        // - major + bias) / (2·minor)), offset(i) <= high when i < ceil((2·major·(high + 1) -
        // major + bias) / (2·minor)).
        const std::int64_t minorLow = xMajor ? top : left;
        const std::int64_t minorHigh = xMajor ? bottom : right;
        const std::int64_t low = minorSign > 0 ? minorLow - minorStart : minorStart - minorHigh;
        const std::int64_t high = minorSign > 0 ? minorHigh - minorStart : minorStart - minorLow;
        if (minor == 0) {
            if (low > 0 || high < 0) {
                return false;
            }
        } else {
            const Wide from2 = CeilDiv(Wide{2} * major * low - major + bias, Wide{2} * minor);
            const Wide to2 =
                CeilDiv(Wide{2} * major * (high + 1) - major + bias, Wide{2} * minor) - 1;
            first = static_cast<std::int64_t>(std::max<Wide>(first, from2));
            last = static_cast<std::int64_t>(std::min<Wide>(last, to2));
        }
        if (first > last) {
            return false;
        }
    }
    const Wide numerator = Wide{2} * first * minor + major - bias;
    const auto offset = static_cast<std::int64_t>(FloorDiv(numerator, Wide{2} * major));
    const auto m = majorStart + majorSign * first;
    const auto n = minorStart + minorSign * offset;
    const auto px = (xMajor ? m : n) - left;
    const auto py = (xMajor ? n : m) - top;
    const auto stride = static_cast<std::ptrdiff_t>(target.stride);
    const auto error = static_cast<std::int64_t>(numerator - Wide{offset} * 2 * major);
    walk.at = static_cast<std::ptrdiff_t>(py) * stride + static_cast<std::ptrdiff_t>(px) * 3;
    walk.error = error;
    walk.step = 2 * minor;
    walk.wrap = 2 * major;
    walk.majorStep = xMajor ? 3 * majorSign : stride * majorSign;
    walk.minorStep = xMajor ? stride * minorSign : 3 * minorSign;
    walk.row = static_cast<int>(py);
    walk.startRow = walk.row;
    walk.remaining = static_cast<int>(last - first + 1);
    walk.xMajor = xMajor;
    // In fixed point the offset after j more steps is floor((error + 2·j·minor) / (2·major)):
    // with both the start and the slope rounded up, the sum is at most (j + 1)·2^-F too large,
    // which stays below the 1/(2·major) that separates the fraction from the next whole number
    // while (j + 1)·2·major <= 2^F. Then the shift gives Bresenham's pixels with no rounding
    // step to wait for between one pixel and the next.
    walk.fixed =
        Wide{walk.remaining} * 2 * major <= (Wide{1} << kFraction) && walk.remaining < (1 << 20);
    if (walk.fixed) {
        walk.across = static_cast<std::int64_t>(((Wide{error} << kFraction) + 2 * major - 1) /
                                                (Wide{2} * major));
        walk.slope =
            static_cast<std::int64_t>(((Wide{minor} << kFraction) + major - 1) / Wide{major});
    }
    return true;
}

void Store(std::uint8_t* pixel, std::uint16_t blueGreen, std::uint8_t red) {
    std::memcpy(pixel, &blueGreen, 2);
    pixel[2] = red;
}

// Draws the walk's pixels in rows before `rowEnd`. The rounding is taken without a branch (its
// outcome follows the slope, which no predictor guesses).
void WalkRows(std::uint8_t* pixels, Walk& walk, int rowEnd, std::uint32_t colour) {
    if (walk.remaining <= 0 || walk.row >= rowEnd) {
        return;
    }
    const auto blueGreen = static_cast<std::uint16_t>(((colour >> 16) & 0xFF) | (colour & 0xFF00));
    const auto red = static_cast<std::uint8_t>(colour);
    std::ptrdiff_t at = walk.at;
    const std::ptrdiff_t majorStep = walk.majorStep;
    const std::ptrdiff_t minorStep = walk.minorStep;
    if (walk.fixed) {
        std::int64_t across = walk.across;
        const std::int64_t slope = walk.slope;
        if (!walk.xMajor) {
            // One row a step: the band's rows are counted out beforehand.
            const int count = std::min(walk.remaining, rowEnd - walk.row);
            for (int i = 0; i < count; ++i) {
                Store(pixels + at + (across >> kFraction) * minorStep, blueGreen, red);
                at += majorStep;
                across += slope;
            }
            walk.row += count;
            walk.remaining -= count;
        } else {
            // Rows go down with the minor offset: the band ends where it reaches rowEnd.
            const std::int64_t rows = std::int64_t{rowEnd} - walk.startRow;
            const std::int64_t limit =
                rows >= (std::int64_t{1} << (62 - kFraction)) ? INT64_MAX : rows << kFraction;
            int remaining = walk.remaining;
            while (remaining > 0 && across < limit) {
                Store(pixels + at + (across >> kFraction) * minorStep, blueGreen, red);
                at += majorStep;
                across += slope;
                --remaining;
            }
            walk.remaining = remaining;
            walk.row = walk.startRow + static_cast<int>(across >> kFraction);
        }
        walk.at = at;
        walk.across = across;
        return;
    }
    std::int64_t error = walk.error;
    const std::int64_t step = walk.step;
    const std::int64_t wrap = walk.wrap;
    if (!walk.xMajor) {
        const int count = std::min(walk.remaining, rowEnd - walk.row);
        for (int i = 0; i < count; ++i) {
            Store(pixels + at, blueGreen, red);
            at += majorStep;
            const std::int64_t next = error + step;
            const std::int64_t wrapped = next - wrap;
            error = wrapped >= 0 ? wrapped : next;
            at += wrapped >= 0 ? minorStep : 0;
        }
        walk.row += count;
        walk.remaining -= count;
    } else {
        int row = walk.row;
        int remaining = walk.remaining;
        do {
            Store(pixels + at, blueGreen, red);
            at += majorStep;
            const std::int64_t next = error + step;
            const std::int64_t wrapped = next - wrap;
            error = wrapped >= 0 ? wrapped : next;
            at += wrapped >= 0 ? minorStep : 0;
            row += wrapped >= 0 ? 1 : 0;
            --remaining;
        } while (remaining > 0 && row < rowEnd);
        walk.row = row;
        walk.remaining = remaining;
    }
    walk.at = at;
    walk.error = error;
}

// The pixels of the triangle filled and outlined (as Polygon draws it with a pen and brush of
// one colour), as runs relative to `anchor`, handed to `emit` row by row from the top; the
// corners lie within 16 pixels of it. All in integers: the first repaint works out every head,
// and rounding through the maths library cost more than the rest under Windows.
template <typename Emit>
void TriangleRuns(const std::array<ChartPoint, 3>& corners, ChartPoint anchor, Emit&& emit) {
    constexpr int kReach = 16;
    std::array<std::uint32_t, 2 * kReach> rows{};
    const auto set = [&](std::int64_t x, std::int64_t y) {
        if (x >= -kReach && x < kReach && y >= -kReach && y < kReach) {
            rows[static_cast<std::size_t>(y + kReach)] |= 1u << (x + kReach);
        }
    };
    std::array<ChartPoint, 3> c{};
    for (int i = 0; i < 3; ++i) {
        c[i] = {corners[i].x - anchor.x, corners[i].y - anchor.y};
    }
    // Corners near the anchor (every arrowhead's) keep the products in 64 bits.
    const bool near = std::all_of(c.begin(), c.end(), [](ChartPoint p) {
        return std::llabs(p.x) < (1 << 20) && std::llabs(p.y) < (1 << 20);
    });
    // The inside: every pixel whose point lies within the three edges, from the least ceiling
    // to the greatest floor of where the edges cross the row.
    const std::int64_t minY = std::max<std::int64_t>(std::min({c[0].y, c[1].y, c[2].y}), -kReach);
    const std::int64_t maxY =
        std::min<std::int64_t>(std::max({c[0].y, c[1].y, c[2].y}), kReach - 1);
    for (std::int64_t y = minY; y <= maxY; ++y) {
        std::int64_t low = INT64_MAX;
        std::int64_t high = INT64_MIN;
        for (int e = 0; e < 3; ++e) {
            const ChartPoint a = c[e];
            const ChartPoint b = c[(e + 1) % 3];
            if ((a.y <= y && y <= b.y) || (b.y <= y && y <= a.y)) {
                if (a.y == b.y) {
                    low = std::min({low, a.x, b.x});
                    high = std::max({high, a.x, b.x});
                } else {
                    // x = a.x + (b.x - a.x)(y - a.y) / (b.y - a.y), with a positive divisor.
                    const std::int64_t sign = b.y > a.y ? 1 : -1;
                    if (near) {
                        const std::int64_t numerator = (b.x - a.x) * (y - a.y) * sign;
                        const std::int64_t divisor = (b.y - a.y) * sign;
                        // Floor and ceiling of the quotient; C++ division truncates.
                        const std::int64_t q = numerator / divisor;
                        const bool exact = q * divisor == numerator;
                        low = std::min(low, a.x + q + (exact || numerator < 0 ? 0 : 1));
                        high = std::max(high, a.x + q - (exact || numerator >= 0 ? 0 : 1));
                    } else {
                        const Wide numerator = Wide{b.x - a.x} * (y - a.y) * sign;
                        const Wide divisor = Wide{b.y - a.y} * sign;
                        low = std::min(
                            low, a.x + static_cast<std::int64_t>(CeilDiv(numerator, divisor)));
                        high = std::max(
                            high, a.x + static_cast<std::int64_t>(FloorDiv(numerator, divisor)));
                    }
                }
            }
        }
        for (std::int64_t x = std::max<std::int64_t>(low, -kReach);
             x <= std::min<std::int64_t>(high, kReach - 1); ++x) {
            set(x, y);
        }
    }
    // The outline, every corner included.
    for (int e = 0; e < 3; ++e) {
        const ChartPoint a = c[e];
        const ChartPoint b = c[(e + 1) % 3];
        const std::int64_t dx = b.x - a.x;
        const std::int64_t dy = b.y - a.y;
        const std::int64_t major = std::max(std::llabs(dx), std::llabs(dy));
        const std::int64_t minor = std::min(std::llabs(dx), std::llabs(dy));
        const bool xMajor = std::llabs(dx) >= std::llabs(dy);
        for (std::int64_t i = 0; i <= major; ++i) {
            const std::int64_t offset = major == 0 ? 0 : (2 * i * minor + major) / (2 * major);
            const std::int64_t along = (xMajor ? dx : dy) < 0 ? -i : i;
            const std::int64_t across = (xMajor ? dy : dx) < 0 ? -offset : offset;
            set(a.x + (xMajor ? along : across), a.y + (xMajor ? across : along));
        }
    }
    // Every run of set bits, found a run at a time.
    for (int r = 0; r < 2 * kReach; ++r) {
        std::uint32_t bits = rows[static_cast<std::size_t>(r)];
        while (bits != 0) {
            const int start = std::countr_zero(bits);
            const int end = start + std::countr_one(bits >> start);
            emit(StampRun{r - kReach, start - kReach, end - kReach});
            bits = end >= 32 ? 0 : bits & (~0u << end);
        }
    }
}

void FillRow(std::uint8_t* row, std::int64_t from, std::int64_t to, std::uint32_t colour) {
    const auto blueGreen = static_cast<std::uint16_t>(((colour >> 16) & 0xFF) | (colour & 0xFF00));
    const auto red = static_cast<std::uint8_t>(colour);
    for (std::uint8_t* pixel = row + from * 3; from < to; ++from, pixel += 3) {
        Store(pixel, blueGreen, red);
    }
}

void FillRuns(const RasterTarget& target, const StampRun* runs, std::size_t count, ChartPoint at,
              std::uint32_t colour) {
    for (const StampRun* run = runs; run != runs + count; ++run) {
        const std::int64_t row = at.y + run->y - target.origin.y;
        if (row < 0 || row >= target.height) {
            continue;
        }
        const std::int64_t from = std::max<std::int64_t>(at.x + run->x0 - target.origin.x, 0);
        const std::int64_t to =
            std::min<std::int64_t>(at.x + run->x1 - target.origin.x, target.width);
        if (from < to) {
            FillRow(target.pixels + static_cast<std::size_t>(row) * target.stride, from, to,
                    colour);
        }
    }
}

// The arrowhead reaches at most 16 pixels from the target anchor.
constexpr int kHeadReach = 16;

// Whether the link's line or head may show in the picture.
bool LinkMeets(const RasterTarget& target, ChartPoint from, ChartPoint to) {
    const std::int64_t left = target.origin.x;
    const std::int64_t top = target.origin.y;
    return std::max(from.x, to.x) + kHeadReach >= left &&
           std::min(from.x, to.x) - kHeadReach < left + target.width &&
           std::max(from.y, to.y) + kHeadReach >= top &&
           std::min(from.y, to.y) - kHeadReach < top + target.height;
}

} // namespace

void RasterLine(const RasterTarget& target, ChartPoint from, ChartPoint to, std::uint32_t colour) {
    Walk walk;
    if (StartWalk(target, from, to, walk)) {
        WalkRows(target.pixels, walk, target.height, colour);
    }
}

void RasterTriangle(const RasterTarget& target, const std::array<ChartPoint, 3>& corners,
                    std::uint32_t colour) {
    std::vector<StampRun> runs;
    TriangleRuns(corners, corners[0], [&](const StampRun& run) { runs.push_back(run); });
    FillRuns(target, runs.data(), runs.size(), corners[0], colour);
}

void RasterLinks(const RasterTarget& target, const CNovelItems& items,
                 const std::vector<ChartLink>& links, std::uint32_t plainColour,
                 std::uint32_t counterColour) {
    LinkCache cache;
    LinkWork work;
    LinkBands bands(target, kLinkBandRows, items, links, plainColour, counterColour, cache, work);
    for (int band = 0; band < bands.BandCount(); ++band) {
        bands.DrawBand(band);
    }
}

std::span<const StampRun> LinkCache::Head(std::size_t link, ChartPoint from, ChartPoint to) {
    if (entries_.size() <= link) {
        entries_.resize(link + 1);
    }
    Entry& entry = entries_[link];
    if (!entry.known || entry.from != from || entry.to != to) {
        entry.from = from;
        entry.to = to;
        entry.known = true;
        entry.count = 0;
        entry.spill.clear();
        if (const auto head = ArrowHead(from, to)) {
            TriangleRuns(*head, to, [&](const StampRun& run) {
                if (entry.count < entry.runs.size()) {
                    entry.runs[entry.count++] = run;
                    return;
                }
                if (entry.spill.empty()) {
                    entry.spill.assign(entry.runs.begin(), entry.runs.end());
                }
                entry.spill.push_back(run);
            });
        }
    }
    if (!entry.spill.empty()) {
        return entry.spill;
    }
    return {entry.runs.data(), entry.count};
}

void LinkCache::Fit(std::size_t links) {
    if (entries_.size() < links) {
        entries_.resize(links);
    }
}

void LinkCache::PrepareHeads(const RasterTarget& target, const CNovelItems& items,
                             const std::vector<ChartLink>& links, std::size_t first,
                             std::size_t end) {
    for (std::size_t k = first; k < std::min(end, links.size()); ++k) {
        const ChartLink& link = links[k];
        const ChartPoint from = AnchorOf(items[link.source].X, items[link.source].Y);
        const ChartPoint to = AnchorOf(items[link.target].X, items[link.target].Y);
        if (LinkMeets(target, from, to)) {
            Head(k, from, to);
        }
    }
}

LinkBands::LinkBands(const RasterTarget& target, int bandRows, const CNovelItems& items,
                     const std::vector<ChartLink>& links, std::uint32_t plainColour,
                     std::uint32_t counterColour, LinkCache& cache, LinkWork& work)
    : target_(target), bandRows_(std::max(bandRows, 1)), work_(work) {
    bandCount_ = target.height <= 0 ? 0 : (target.height + bandRows_ - 1) / bandRows_;
    auto& spans = work.spans_;
    auto& bandStart = work.bandStart_;
    auto& bandLinks = work.bandLinks_;
    spans.clear();
    work.prepared_.clear();
    bandStart.assign(static_cast<std::size_t>(bandCount_) + 1, 0);
    if (links.empty() || bandCount_ == 0) {
        return;
    }
    cache.Fit(links.size());
    const std::int64_t top = target.origin.y;
    const auto rowOf = [&](std::int64_t y) {
        return static_cast<int>(std::clamp<std::int64_t>(y - top, -1, target.height));
    };
    for (std::size_t k = 0; k < links.size(); ++k) {
        const ChartLink& link = links[k];
        const ChartPoint from = AnchorOf(items[link.source].X, items[link.source].Y);
        const ChartPoint to = AnchorOf(items[link.target].X, items[link.target].Y);
        if (!LinkMeets(target, from, to)) {
            continue;
        }
        const std::int64_t low = std::min(from.y, to.y) - kHeadReach;
        const std::int64_t high = std::max(from.y, to.y) + kHeadReach;
        PreparedLink prepared;
        prepared.colour = link.usesCounter ? counterColour : plainColour;
        prepared.hasLine = StartWalk(target, from, to, prepared.walk);
        prepared.anchor = to;
        const std::span<const StampRun> head = cache.Head(k, from, to);
        prepared.head = head.data();
        prepared.headRuns = static_cast<std::uint32_t>(head.size());
        if (!head.empty()) {
            prepared.headTop = rowOf(to.y + head.front().y);
            prepared.headBottom = rowOf(to.y + head.back().y);
        }
        if (!prepared.hasLine && prepared.headRuns == 0) {
            continue;
        }
        spans.emplace_back(std::clamp(rowOf(low), 0, target.height - 1) / bandRows_,
                           std::clamp(rowOf(high), 0, target.height - 1) / bandRows_);
        work.prepared_.push_back(prepared);
    }
    // Each band's links in drawing order, by counting.
    for (const auto& [firstBand, lastBand] : spans) {
        for (int band = firstBand; band <= lastBand; ++band) {
            ++bandStart[static_cast<std::size_t>(band) + 1];
        }
    }
    for (std::size_t band = 1; band < bandStart.size(); ++band) {
        bandStart[band] += bandStart[band - 1];
    }
    bandLinks.resize(bandStart.back());
    work.next_.assign(bandStart.begin(), bandStart.end() - 1);
    for (std::size_t k = 0; k < spans.size(); ++k) {
        for (int band = spans[k].first; band <= spans[k].second; ++band) {
            bandLinks[work.next_[static_cast<std::size_t>(band)]++] = static_cast<std::uint32_t>(k);
        }
    }
}

LinkBands::~LinkBands() = default;

void LinkBands::DrawBand(int band) {
    if (band < 0 || band >= bandCount_ || work_.prepared_.empty()) {
        return;
    }
    const int rowFrom = band * bandRows_;
    const int rowTo = std::min(target_.height, rowFrom + bandRows_);
    const RasterTarget rows = target_.Rows(rowFrom, rowTo - rowFrom);
    const auto& bandStart = work_.bandStart_;
    const auto& bandLinks = work_.bandLinks_;
    const std::uint32_t first = bandStart[static_cast<std::size_t>(band)];
    const std::uint32_t end = bandStart[static_cast<std::size_t>(band) + 1];
    PreparedLink* const prepared = work_.prepared_.data();
    for (std::uint32_t i = first; i < end; ++i) {
        // A band's links lie anywhere in the list: fetch the ones a few places on while this
        // one is drawn, or each waits for memory (most of a scattered chart's time).
        if (i + kPrefetchAhead < end) {
            const auto* ahead =
                reinterpret_cast<const char*>(&prepared[bandLinks[i + kPrefetchAhead]]);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + 64);
        }
        PreparedLink& link = prepared[bandLinks[i]];
        if (link.hasLine) {
            WalkRows(target_.pixels, link.walk, rowTo, link.colour);
        }
        if (link.headTop < rowTo && link.headBottom >= rowFrom) {
            FillRuns(rows, link.head, link.headRuns, link.anchor, link.colour);
        }
    }
}

void FillStampRuns(const RasterTarget& target, const std::vector<StampRun>& runs, ChartPoint at,
                   std::uint32_t colour) {
    FillRuns(target, runs.data(), runs.size(), at, colour);
}

} // namespace miravo
