// Each raster routine against a direct computation of every destination pixel, at the edges:
// negative positions, clip rectangles partly or wholly outside the target, 1 x 1 pictures and
// widths that are not a multiple of 4.
#include "PictureFiles.h"

#include "picture/RasterRoutines.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

bool Inside(int x, int y, const PixelRect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

struct Placement {
    const char* what;
    int sourceWidth, sourceHeight;
    int x, y;
    PixelRect clip;
};

// Destination 11 x 9 everywhere.
const Placement kPlacements[] = {
    {"inside", 5, 3, 2, 3, {0, 0, 11, 9}},
    {"negative origin", 7, 6, -3, -2, {0, 0, 11, 9}},
    {"larger than the target", 20, 15, -4, -3, {0, 0, 11, 9}},
    {"beyond the right and bottom", 6, 6, 8, 7, {0, 0, 11, 9}},
    {"clip inside", 9, 8, 0, 0, {2, 3, 7, 5}},
    {"clip partly outside", 9, 8, 1, 1, {-5, -5, 6, 40}},
    {"clip wholly outside", 9, 8, 0, 0, {20, 20, 30, 30}},
    {"clip reversed", 9, 8, 0, 0, {8, 6, 2, 1}},
    {"one pixel", 1, 1, 10, 8, {0, 0, 11, 9}},
    {"entirely off the target", 4, 4, -4, 2, {0, 0, 11, 9}},
};

class BlitTest : public testing::TestWithParam<Placement> {};

CRaster Source(const Placement& p) {
    CRaster source = PatternRaster(p.sourceWidth, p.sourceHeight);
    // Pixels equal to the key in the middle of the picture, not only at its corner.
    for (int y = 0; y < p.sourceHeight; y += 2)
        for (int x = y % 3; x < p.sourceWidth; x += 3)
            source.SetColor(x, y, source.ColorAt(0, 0));
    return source;
}

TEST_P(BlitTest, ColorKeyBlitCopiesAllButTheKey) {
    const Placement& p = GetParam();
    const CRaster source = Source(p);
    const CRaster before = PatternRaster(11, 9, 7);
    CRaster destination = before;
    ColorKeyBlit(source, destination, p.x, p.y, p.clip);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x) {
            const int sx = x - p.x, sy = y - p.y;
            std::uint32_t expected = before.ColorAt(x, y);
            if (Inside(x, y, p.clip) && sx >= 0 && sy >= 0 && sx < p.sourceWidth &&
                sy < p.sourceHeight && source.ColorAt(sx, sy) != source.ColorAt(0, 0))
                expected = source.ColorAt(sx, sy);
            ASSERT_EQ(destination.ColorAt(x, y), expected) << x << "," << y;
        }
}

TEST_P(BlitTest, AlphaBlitMixesBySourceTransparency) {
    const Placement& p = GetParam();
    const CRaster source = Source(p);
    CAlphaMap transparency(p.sourceWidth, p.sourceHeight);
    for (int y = 0; y < p.sourceHeight; ++y)
        for (int x = 0; x < p.sourceWidth; ++x)
            transparency.Row(y)[x] = std::uint8_t((x * 61 + y * 17) % 256); // 0 and 255 too
    transparency.Row(0)[0] = 255;
    const CRaster before = PatternRaster(11, 9, 7);
    CRaster destination = before;
    AlphaBlit(source, transparency, destination, p.clip, p.x, p.y);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x)
            for (int c = 0; c < 3; ++c) {
                const int sx = x - p.x, sy = y - p.y;
                int expected = before.Pixel(x, y)[c];
                if (Inside(x, y, p.clip) && sx >= 0 && sy >= 0 && sx < p.sourceWidth &&
                    sy < p.sourceHeight) {
                    const int s = source.Pixel(sx, sy)[c], d = expected;
                    const int t = transparency.At(sx, sy);
                    // Floor division, written out without shifts.
                    const int product = (d - s) * t;
                    expected = s + (product >= 0 ? product / 256 : -((-product + 255) / 256));
                }
                ASSERT_EQ(destination.Pixel(x, y)[c], expected) << x << "," << y << " c" << c;
            }
}

INSTANTIATE_TEST_SUITE_P(Edges, BlitTest, testing::ValuesIn(kPlacements), [](const auto& info) {
    std::string name = info.param.what;
    for (char& ch : name)
        if (ch == ' ' || ch == '-')
            ch = '_';
    return name;
});

TEST(RasterRoutines, AlphaBlitEndsShowSourceOrDestination) {
    CRaster source(1, 1), destination(1, 1);
    source.SetColor(0, 0, 0x00C08040);
    destination.SetColor(0, 0, 0x00204080);
    AlphaBlit(source, CAlphaMap(1, 1, 0), destination, {0, 0, 1, 1}, 0, 0);
    EXPECT_EQ(destination.ColorAt(0, 0), 0x00C08040u);
    destination.SetColor(0, 0, 0x00204080);
    AlphaBlit(source, CAlphaMap(1, 1, 255), destination, {0, 0, 1, 1}, 0, 0);
    // 255 of 256 of the destination, rounded down: red 64 -> 128 stops at 127.
    EXPECT_EQ(destination.ColorAt(0, 0), 0x0020407Fu);
}

TEST(RasterRoutines, TranslucentFillByOpacity) {
    struct Case {
        PixelRect rect;
        int opacity;
    };
    const Case cases[] = {{{1, 1, 6, 4}, 50},  {{-3, -2, 40, 3}, 25}, {{2, 2, 3, 3}, 100},
                          {{0, 0, 7, 5}, 150}, {{0, 0, 7, 5}, 0},     {{0, 0, 7, 5}, -5},
                          {{5, 4, 1, 1}, 30},  {{7, 5, 9, 9}, 60},    {{0, 0, 7, 5}, 1}};
    const std::uint32_t color = 0x002000FF; // red 255, green 0, blue 32
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opacity);
        const CRaster before = PatternRaster(7, 5);
        CRaster raster = before;
        TranslucentFill(raster, c.rect, color, c.opacity);
        const int w = std::min(c.opacity, 100) * 256 / 100;
        const int over[3] = {32, 0, 255}; // blue, green, red
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                for (int ch = 0; ch < 3; ++ch) {
                    int expected = before.Pixel(x, y)[ch];
                    if (c.opacity > 0 && Inside(x, y, c.rect))
                        expected = expected * (256 - w) / 256 + over[ch] * w / 256;
                    ASSERT_EQ(raster.Pixel(x, y)[ch], expected) << x << "," << y;
                }
    }
}

TEST(RasterRoutines, CopyRectTakesInclusiveEdges) {
    const PixelRect rects[] = {{1, 1, 3, 2}, {0, 0, 0, 0},   {-4, -4, 2, 1}, {5, 3, 40, 40},
                               {3, 2, 1, 1}, {9, 9, 12, 12}, {0, 0, 6, 4}};
    const CRaster source = PatternRaster(7, 5);
    for (const PixelRect& r : rects) {
        CRaster destination = PatternRaster(7, 5, 3);
        const CRaster before = destination;
        CopyRect(source, destination, r);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool copied = x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
                ASSERT_EQ(destination.ColorAt(x, y), (copied ? source : before).ColorAt(x, y))
                    << r.left << "," << r.top << "," << r.right << "," << r.bottom << " at " << x
                    << "," << y;
            }
    }
}

TEST(RasterRoutines, RasterRowsArePaddedToFourBytes) {
    for (int width : {1, 2, 3, 4, 5, 13})
        EXPECT_EQ(CRaster(width, 2).Stride() % 4, 0u) << width;
    EXPECT_EQ(CRaster(5, 1).Stride(), 16u);
    CRaster raster(3, 2);
    raster.SetColor(2, 1, 0x00112233);
    EXPECT_EQ(raster.Pixel(2, 1)[0], 0x11); // blue first
    EXPECT_EQ(raster.Pixel(2, 1)[2], 0x33);
    EXPECT_EQ(raster.ColorAt(2, 1), 0x00112233u);
}

} // namespace
