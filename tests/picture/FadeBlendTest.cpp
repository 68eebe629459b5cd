// The fade blend against a direct per-pixel computation of its integer formula, its two errors,
// and the effector's timing on an injected clock.
#include "picture/FadeBlend.h"
#include "picture/FadeEffector.h"
#include "picture/FadeMasks.h"

#include <gtest/gtest.h>

using namespace miravo;

namespace {

// The formula written out once more, independently of the table code.
int Expected(int to, int from, int m, int edge, int percent) {
    const int count = percent * (edge + 256) / 100;
    int h = m >= count ? 255 : m < count - edge ? 0 : ((m + edge - count) * 256) / edge;
    if (percent >= 100)
        return to;
    return (to * (256 - h) + from * h) >> 8;
}

// 44 x 6 = 264 pixels: every mask level, and a run that ends between the 16-pixel steps.
struct Pictures {
    CRaster to{44, 6}, from{44, 6}, mask{44, 6};
    Pictures() {
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 44; ++x) {
                const int i = y * 44 + x;
                for (int c = 0; c < 3; ++c) {
                    to.Pixel(x, y)[c] = std::uint8_t((i * 7 + c * 91) & 255);
                    from.Pixel(x, y)[c] = std::uint8_t(255 - ((i * 13 + c * 37) & 255));
                }
                mask.Pixel(x, y)[0] = std::uint8_t(i & 255);
                mask.Pixel(x, y)[1] = std::uint8_t(~i); // only the first byte counts
            }
    }
};

} // namespace

TEST(FadeBlend, MatchesTheFormulaForEveryLevelEdgeAndPercentage) {
    Pictures p;
    CFadeWorkBuffers buffers;
    DibAlphaMaskInit(buffers, p.to, p.from, p.mask);
    CRaster out(44, 6);
    for (int edge = 0; edge <= 255; ++edge) {
        for (int percent = -1; percent <= 101; ++percent) {
            DibAlphaMaskBlendOptimal(buffers, edge, percent, out);
            const int clamped = std::clamp(percent, 0, 100);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 44; ++x)
                    for (int c = 0; c < 3; ++c)
                        ASSERT_EQ(out.Pixel(x, y)[c],
                                  Expected(p.to.Pixel(x, y)[c], p.from.Pixel(x, y)[c],
                                           p.mask.Pixel(x, y)[0], edge, clamped))
                            << "edge " << edge << " percent " << percent << " at " << x << "," << y
                            << "," << c;
        }
    }
}

TEST(FadeBlend, ThresholdsOfNoneAndBlendOnTheBlankMask) {
    CRaster to(8, 4), from(8, 4);
    to.Fill(0xFFFFFF);
    from.Fill(0x000000);
    CRaster blank(8, 4);
    blank.Fill(0x808080);
    CFadeWorkBuffers buffers;
    DibAlphaMaskInit(buffers, to, from, blank);
    CRaster out(8, 4);
    struct Case {
        int edge, percent, level;
    };
    const Case cases[] = {
        {0, 0, 0},      {0, 50, 0},     {0, 51, 255},    {0, 100, 255},  // NONE switches at 51 %
        {255, 0, 0},    {255, 25, 0},   {255, 26, 4},    {255, 50, 127}, // BLEND cross-fades
        {255, 74, 250}, {255, 75, 255}, {255, 100, 255},
    };
    for (const Case& c : cases) {
        DibAlphaMaskBlendOptimal(buffers, c.edge, c.percent, out);
        EXPECT_EQ(out.Pixel(3, 2)[1], c.level) << c.edge << " " << c.percent;
    }
}

TEST(FadeBlend, RefusesOddWidthsAndSizeMismatches) {
    CFadeWorkBuffers buffers;
    try {
        DibAlphaMaskInit(buffers, CRaster(6, 2), CRaster(6, 2), CRaster(6, 2));
        FAIL();
    } catch (const FadeBlendError& error) {
        EXPECT_STREQ(error.what(), "DibAlphaMaskInit: DIBの幅は4の倍数でなければなりません w=6");
    }
    const char* mismatch = "DibAlphaMaskBlendOptimal: ソースDIBサイズが一致していません";
    CRaster out(8, 2);
    for (const CRaster& odd : {CRaster(8, 3), CRaster(12, 2)}) {
        DibAlphaMaskInit(buffers, CRaster(8, 2), odd, CRaster(8, 2));
        try {
            DibAlphaMaskBlendOptimal(buffers, 24, 50, out);
            FAIL();
        } catch (const FadeBlendError& error) {
            EXPECT_STREQ(error.what(), mismatch);
        }
    }
    DibAlphaMaskInit(buffers, CRaster(8, 2), CRaster(8, 2), CRaster(8, 2));
    CRaster wrong(4, 2);
    EXPECT_THROW(DibAlphaMaskBlendOptimal(buffers, 24, 50, wrong), FadeBlendError);
}

TEST(FadeEffector, TimingOnAnInjectedClock) {
    std::int64_t now = 1000;
    TFadeEffector effector([&] { return now; });
    CRaster a(8, 4), b(8, 4), out(8, 4);
    a.Fill(0x000000);
    b.Fill(0xFFFFFF);
    effector.SetDestination(&out);
    effector.SetFromPicture(&a);
    effector.SetToPicture(&b);
    EXPECT_FALSE(effector.Step()); // no mask yet: nothing drawn, never finished
    EXPECT_EQ(out.ColorAt(0, 0), 0u);

    CRaster blank(8, 4);
    blank.Fill(0x808080);
    effector.SetEdgeWidth(0);
    effector.SetDuration(250);
    effector.SetMask(blank);
    struct Tick {
        std::int64_t elapsed;
        bool finished;
        std::uint32_t color;
    };
    const Tick ticks[] = {{0, false, 0},          {125, false, 0},        {130, false, 0xFFFFFF},
                          {250, false, 0xFFFFFF}, {252, false, 0xFFFFFF}, {253, true, 0xFFFFFF}};
    for (const Tick& tick : ticks) {
        now = 1000 + tick.elapsed;
        EXPECT_EQ(effector.Step(), tick.finished) << tick.elapsed;
        EXPECT_EQ(out.ColorAt(5, 3), tick.color) << tick.elapsed;
    }

    // Run back: swap, prepare, restart.
    effector.SwapPictures();
    effector.Prepare();
    effector.Restart();
    EXPECT_FALSE(effector.Step());
    EXPECT_EQ(out.ColorAt(0, 0), 0xFEFEFEu); // 255 of 256 from white
    now += 300;
    EXPECT_TRUE(effector.Step());
    EXPECT_EQ(out.ColorAt(0, 0), 0u);

    // A duration of 0 from a novel header does not divide by zero.
    effector.SetDuration(0);
    effector.Restart();
    now += 2;
    EXPECT_TRUE(effector.Step());

    effector.ClearMask();
    EXPECT_FALSE(effector.HasMask());
    EXPECT_FALSE(effector.Step());
}

TEST(FadeEffector, ShowPreviewOfAChoice) {
    std::int64_t now = 0;
    TFadeEffector effector([&] { return now; });
    CRaster a(640, 480), b(640, 480), out(640, 480);
    b.Fill(0xFFFFFF);
    effector.SetDestination(&out);
    effector.SetFromPicture(&a);
    effector.SetToPicture(&b);
    CPresetFadeMasks masks;
    struct Case {
        int type, variation, speed;
        const char* defaultName;
        bool mask;
        int edge;
    };
    const Case cases[] = {
        {1, 1, 250, "BLEND", true, 0},        {4, 1, 750, "NONE", true, 255},
        {0, 1, 500, "blind", true, 24},       {0, 1, 500, "DEFAULT", false, 24},
        {-1, 1, 500, "R-SHUTTER", false, 24}, {7, 1, 2000, "", true, 24},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShowPreview(effector, masks, c.type, c.variation, c.speed, c.defaultName), c.mask)
            << c.type << " " << c.defaultName;
        EXPECT_EQ(effector.HasMask(), c.mask);
        EXPECT_EQ(effector.EdgeWidth(), c.edge);
        EXPECT_EQ(effector.Duration(), c.speed);
        out.Fill(0x123456);
        now += 100000;
        // Without a mask the preview stays still: no error, nothing drawn.
        EXPECT_EQ(effector.Step(), c.mask);
        EXPECT_EQ(out.ColorAt(0, 0), c.mask ? 0xFFFFFFu : 0x123456u);
    }
}
