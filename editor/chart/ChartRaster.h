#pragma once

#include "editor/chart/ChartLinks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace miravo {

class CNovelItems;

// A 24-bit picture (blue, green, red; rows from the top, `stride` bytes apart) showing the chart
// from `origin`: chart point (x, y) is pixel (x - origin.x, y - origin.y).
struct RasterTarget {
    std::uint8_t* pixels = nullptr;
    std::size_t stride = 0;
    int width = 0;
    int height = 0;
    ChartPoint origin;

    // Rows [top, top + rows) of this picture as a picture of their own.
    RasterTarget Rows(int top, int rows) const {
        return {pixels + static_cast<std::size_t>(top) * stride,
                stride,
                width,
                rows,
                {origin.x, origin.y + top}};
    }
};

// Line and triangle drawing straight into the picture's pixels, for the chart's links: what GDI
// draws with a one-pixel solid pen, without its per-call cost (links are most of a repaint).
// Colours are 0x00BBGGRR. Both clip to the picture and cost only what they show of a long line.

// The line from `from` to `to` without its last pixel, as LineTo draws it.
void RasterLine(const RasterTarget& target, ChartPoint from, ChartPoint to, std::uint32_t colour);
// The triangle filled and outlined in one colour, as Polygon draws it with a pen and a brush of
// that colour.
void RasterTriangle(const RasterTarget& target, const std::array<ChartPoint, 3>& corners,
                    std::uint32_t colour);
// Every link's line and arrowhead in drawing order, in its colour.
void RasterLinks(const RasterTarget& target, const CNovelItems& items,
                 const std::vector<ChartLink>& links, std::uint32_t plainColour,
                 std::uint32_t counterColour);

// A run of pixels in one row: y, and x from x0 to before x1.
struct StampRun {
    int y = 0;
    int x0 = 0; // first pixel
    int x1 = 0; // one past the last
};

// Fills the runs, placed at `at`, in one colour.
void FillStampRuns(const RasterTarget& target, const std::vector<StampRun>& runs, ChartPoint at,
                   std::uint32_t colour);

// A line on its way down the picture: where its next pixel is and how its rounding stands.
struct LineWalk {
    std::ptrdiff_t at = 0;  // byte offset of the next pixel, or of its column/row (fixed)
    std::int64_t error = 0; // Bresenham's
    std::int64_t step = 0;
    std::int64_t wrap = 0;
    std::int64_t across = 0; // fixed point: the minor offset since `startRow`'s pixel
    std::int64_t slope = 0;
    std::ptrdiff_t majorStep = 0;
    std::ptrdiff_t minorStep = 0;
    int row = 0; // of the next pixel
    int startRow = 0;
    int remaining = 0;
    bool xMajor = false;
    bool fixed = false; // walked in fixed point (exact for this line; see StartWalk)
};

// One link of a repaint ready to draw (see LinkBands).
struct PreparedLink {
    LineWalk walk;
    bool hasLine = false;
    std::uint32_t colour = 0;
    int headTop = 0; // picture rows the head meets
    int headBottom = -1;
    ChartPoint anchor; // the head's runs are relative to it
    const StampRun* head = nullptr;
    std::uint32_t headRuns = 0;
};

// What the links' drawing keeps between repaints: each link's arrowhead as runs relative to its
// target anchor (working out a head, its angle and triangle, costs more than drawing it, and
// most links keep theirs).
class LinkCache {
public:
    // The head of link number `link` from `from` to `to` (empty when the anchors coincide).
    std::span<const StampRun> Head(std::size_t link, ChartPoint from, ChartPoint to);
    // Room for `links` heads, so that those handed out stay where they are while it fills.
    void Fit(std::size_t links);
    // Works out the heads of links [first, end) that the picture shows. Calls for disjoint
    // ranges may run at once on different threads after Fit; afterwards LinkBands over the
    // picture or any part of it only reads the heads, so several may be built at once.
    void PrepareHeads(const RasterTarget& target, const CNovelItems& items,
                      const std::vector<ChartLink>& links, std::size_t first, std::size_t end);

private:
    // A head's runs are kept in place (one row each, eight rows at most), so that working
    // out thousands of them allocates nothing; a larger one goes to `spill`.
    struct Entry {
        ChartPoint from;
        ChartPoint to;
        bool known = false;
        std::uint8_t count = 0;
        std::array<StampRun, 10> runs;
        std::vector<StampRun> spill;
    };
    std::vector<Entry> entries_;
};

// The working lists of one LinkBands, kept between repaints so that their memory is reused
// (allocation is dear under Windows). One for each LinkBands alive at once.
class LinkWork {
private:
    friend class LinkBands;
    std::vector<std::uint32_t> bandStart_;
    std::vector<std::uint32_t> bandLinks_;
    std::vector<std::pair<int, int>> spans_;
    std::vector<std::uint32_t> next_;
    std::vector<PreparedLink> prepared_;
};

// The links of one repaint prepared for drawing a band of rows at a time, so that every figure
// of the chart can be drawn band by band while the band is in the cache. Each line is clipped
// to the picture once and walked from its upper end; each band continues where the one above
// stopped. Within a band the links keep their drawing order.
class LinkBands {
public:
    LinkBands(const RasterTarget& target, int bandRows, const CNovelItems& items,
              const std::vector<ChartLink>& links, std::uint32_t plainColour,
              std::uint32_t counterColour, LinkCache& cache, LinkWork& work);
    LinkBands(const LinkBands&) = delete;
    LinkBands& operator=(const LinkBands&) = delete;
    ~LinkBands();

    int BandCount() const { return bandCount_; }
    // Draws band number `band` (rows band · bandRows on); bands must come in increasing order.
    void DrawBand(int band);

private:
    RasterTarget target_;
    int bandRows_ = 1;
    int bandCount_ = 0;
    LinkWork& work_;
};

} // namespace miravo
