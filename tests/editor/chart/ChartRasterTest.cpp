// The links drawn into the pixels band by band, against the plainest drawing of the same lines
// and arrowheads pixel by pixel with a bounds test each; and the stamps composed into one copy
// against the shapes filled one over the other.
#include "editor/chart/ChartStampRaster.h"
#include "editor/chart/HelperThread.h"
#include "novel/NovelData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace miravo {
namespace {

struct Picture {
    int width;
    int height;
    ChartPoint origin;
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(Stride() * height, 0xFF);
    std::size_t Stride() const { return (static_cast<std::size_t>(width) * 3 + 3) & ~3u; }
    RasterTarget Target() { return {pixels.data(), Stride(), width, height, origin}; }
    void Put(std::int64_t x, std::int64_t y, std::uint32_t colour) {
        x -= origin.x;
        y -= origin.y;
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return;
        }
        std::uint8_t* p = pixels.data() + y * Stride() + x * 3;
        p[0] = static_cast<std::uint8_t>(colour >> 16);
        p[1] = static_cast<std::uint8_t>(colour >> 8);
        p[2] = static_cast<std::uint8_t>(colour);
    }
};

// Bresenham's pixels one at a time: `steps` of them from `from` towards `to`.
void NaiveLine(Picture& picture, ChartPoint from, ChartPoint to, std::int64_t steps,
               std::uint32_t colour) {
    const std::int64_t dx = to.x - from.x;
    const std::int64_t dy = to.y - from.y;
    const std::int64_t major = std::max(std::llabs(dx), std::llabs(dy));
    const std::int64_t minor = std::min(std::llabs(dx), std::llabs(dy));
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    // Only steps whose major coordinate lies in the picture can show (lines may be 2^32 long).
    const std::int64_t start = xMajor ? from.x : from.y;
    const std::int64_t low = (xMajor ? picture.origin.x : picture.origin.y) - start;
    const std::int64_t high = low + (xMajor ? picture.width : picture.height) - 1;
    const bool ahead = (xMajor ? dx : dy) >= 0;
    const std::int64_t first = std::max<std::int64_t>(0, ahead ? low : -high);
    const std::int64_t last = std::min<std::int64_t>(steps - 1, ahead ? high : -low);
    for (std::int64_t i = first; i <= last; ++i) {
        const auto offset =
            major == 0 ? 0
                       : static_cast<std::int64_t>((__int128{2} * i * minor + major) / (2 * major));
        const std::int64_t along = (xMajor ? dx : dy) < 0 ? -i : i;
        const std::int64_t across = (xMajor ? dy : dx) < 0 ? -offset : offset;
        picture.Put(from.x + (xMajor ? along : across), from.y + (xMajor ? across : along), colour);
    }
}

void NaiveTriangle(Picture& picture, const std::array<ChartPoint, 3>& c, std::uint32_t colour) {
    for (std::int64_t y = std::min({c[0].y, c[1].y, c[2].y});
         y <= std::max({c[0].y, c[1].y, c[2].y}); ++y) {
        double low = 1e18;
        double high = -1e18;
        for (int e = 0; e < 3; ++e) {
            const ChartPoint a = c[e];
            const ChartPoint b = c[(e + 1) % 3];
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
        for (auto x = static_cast<std::int64_t>(std::ceil(low));
             x <= static_cast<std::int64_t>(std::floor(high)); ++x) {
            picture.Put(x, y, colour);
        }
    }
    for (int e = 0; e < 3; ++e) {
        const ChartPoint a = c[e];
        const ChartPoint b = c[(e + 1) % 3];
        NaiveLine(picture, a, b, std::max(std::llabs(b.x - a.x), std::llabs(b.y - a.y)) + 1,
                  colour);
    }
}

// Lines in every direction and length, many leaving the picture, some from the far ends of the
// 32-bit range; pictures anywhere; bands of a few rows to many, so that lines cross many seams.
TEST(ChartRasterTest, BandedLinksEqualPlainPixelDrawing) {
    std::mt19937 random(7);
    const auto uniform = [&](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    struct Case {
        std::int64_t spread; // how far around the picture the boxes lie
        int bandRows;
    };
    const Case cases[] = {{150, 1}, {400, 3}, {1000, 7}, {3000, 64}, {2'000'000'000, 16}};
    HelperThread helper;
    for (const Case& c : cases) {
        for (int round = 0; round < 6; ++round) {
            CNovelModel model;
            const int count = 40;
            const ChartPoint origin{uniform(-200, 200), uniform(-200, 200)};
            for (int i = 0; i < count; ++i) {
                CNovelItem& item = model.Items.Add();
                item.Name = "i" + std::to_string(i);
                const auto place = [&](std::int64_t centre) {
                    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
                        centre + uniform(-c.spread, c.spread), INT32_MIN + 16, INT32_MAX - 16));
                };
                item.X = place(origin.x + 120);
                item.Y = place(origin.y + 100);
            }
            model.Items[1].X = model.Items[0].X; // a vertical and a horizontal link
            model.Items[2].Y = model.Items[0].Y;
            model.Items[3].X = model.Items[0].X + 5; // a short one
            model.Items[3].Y = model.Items[0].Y - 3;
            for (int i = 0; i < count; ++i) {
                for (int slot = 0; slot < kLinkSlotCount; ++slot) {
                    CNovelLink& link = model.Items[i].Links[slot];
                    link.Enabled = true;
                    link.Target =
                        "i" + std::to_string(slot == 0 ? (i + 1) % count : uniform(0, count - 1));
                    link.UseCounter = slot % 3 == 0;
                }
            }
            const auto links = VisibleLinks(model.Items);
            Picture banded{static_cast<int>(uniform(1, 260)), static_cast<int>(uniform(1, 220)),
                           origin};
            Picture naive = banded;
            Picture parted = banded;
            // Once whole, then again in two parts split at some row and drawn at once, each
            // walking its own part of every line, with the heads prepared apart and kept, as
            // the chart does.
            LinkCache cache;
            LinkWork work[2];
            const auto draw = [&](const RasterTarget& part, LinkWork& lists) {
                LinkBands bands(part, c.bandRows, model.Items, links, 0x0000FF, 0x00FF00, cache,
                                lists);
                for (int band = 0; band < bands.BandCount(); ++band) {
                    bands.DrawBand(band);
                }
            };
            draw(banded.Target(), work[0]);
            const RasterTarget whole = parted.Target();
            const auto split = static_cast<int>(uniform(0, whole.height));
            const auto third = links.size() / 3;
            helper.RunAlongside(
                [&] { cache.PrepareHeads(whole, model.Items, links, third, links.size()); },
                [&] { cache.PrepareHeads(whole, model.Items, links, 0, third); });
            helper.RunAlongside([&] { draw(whole.Rows(split, whole.height - split), work[1]); },
                                [&] { draw(whole.Rows(0, split), work[0]); });
            for (const ChartLink& link : links) {
                const ChartPoint from =
                    AnchorOf(model.Items[link.source].X, model.Items[link.source].Y);
                const ChartPoint to =
                    AnchorOf(model.Items[link.target].X, model.Items[link.target].Y);
                const std::uint32_t colour = link.usesCounter ? 0x00FF00 : 0x0000FF;
                NaiveLine(naive, from, to,
                          std::max(std::llabs(to.x - from.x), std::llabs(to.y - from.y)), colour);
                if (const auto head = ArrowHead(from, to)) {
                    NaiveTriangle(naive, *head, colour);
                }
            }
            for (const Picture* drawn : {&banded, &parted}) {
                std::size_t differences = 0;
                for (std::size_t i = 0; i < naive.pixels.size(); ++i) {
                    differences += naive.pixels[i] != drawn->pixels[i];
                }
                EXPECT_EQ(differences, 0u)
                    << (drawn == &banded ? "whole" : "in parts") << " spread " << c.spread
                    << " band rows " << c.bandRows << " round " << round;
            }
        }
    }
}

// The helper's task and the caller's both run, and an exception from either reaches the caller
// once both have ended.
TEST(ChartRasterTest, HelperThreadRunsBothTasksAndPassesOnTheirExceptions) {
    for (const bool secondCore : {true, false}) {
        HelperThread helper(secondCore);
        for (int run = 0; run < 50; ++run) {
            int theirs = 0;
            int ours = 0;
            helper.RunAlongside([&] { theirs = run; }, [&] { ours = run; });
            ASSERT_EQ(theirs, run);
            ASSERT_EQ(ours, run);
        }
        EXPECT_THROW(helper.RunAlongside([] { throw std::runtime_error("theirs"); }, [] {}),
                     std::runtime_error);
        bool theirsEnded = false;
        EXPECT_THROW(helper.RunAlongside([&] { theirsEnded = true; },
                                         [] { throw std::logic_error("ours"); }),
                     std::logic_error);
        if (secondCore) {
            EXPECT_TRUE(theirsEnded);
        }
        int after = 0;
        helper.RunAlongside([&] { after = 1; }, [] {}); // still serves after a failure
        EXPECT_EQ(after, 1);
    }
}

// A composed stamp copies the same pixels as its shapes filled in turn, also cut by the edges.
TEST(ChartRasterTest, ComposedStampEqualsShapesFilledInTurn) {
    ShapeStamp under;
    ShapeStamp over;
    for (int y = 0; y < 12; ++y) {
        under.runs.push_back({y + 2, 2 + y % 3, 30 - y % 4});
        if (y % 4 != 1) {
            over.runs.push_back({y, 5 - y % 2, 20 + y});
        }
    }
    const ColourStamp both = ComposeStamp({{&under, 0x102030}, {&over, 0x405060}});
    for (const ChartPoint at : {ChartPoint{3, 4}, ChartPoint{-6, -5}, ChartPoint{20, 10}}) {
        Picture copied{30, 16, {0, 0}};
        Picture filled = copied;
        CopyStamp(copied.Target(), both, at);
        FillStamp(filled.Target(), under, at, 0x102030);
        FillStamp(filled.Target(), over, at, 0x405060);
        EXPECT_EQ(copied.pixels, filled.pixels) << at.x << "," << at.y;
    }
}

} // namespace
} // namespace miravo
