// The fade effect table, its lookups and the thirteen mask pictures at the levels they must show.
#include "picture/FadeEffects.h"
#include "novel/NovelData.h"
#include "picture/FadeMasks.h"

#include <gtest/gtest.h>

#include <set>

using namespace miravo;

TEST(FadeEffects, TableLookupsAndFadeArguments) {
    EXPECT_EQ(FadeNumberOf("blend"), 4);
    EXPECT_EQ(FadeNumberOf("R-SHUTTER"), 0);
    EXPECT_EQ(FadeNumberOf("r-sutter"), 6);
    EXPECT_EQ(LegacyFadeName(5), "NONE");
    EXPECT_EQ(LegacyFadeName(3), "BLEND");
    EXPECT_EQ(FadeDisplayName(0), "標準のフェード効果");
    EXPECT_EQ(FadeDisplayName(6), "回転シャッター");
    EXPECT_EQ(FadeDisplayName(42), "標準のフェード効果");
    EXPECT_EQ(FadeEffectOf(3)->typeListEntry, "シャッター (4)");
    EXPECT_EQ(FadeEffectOf(10), nullptr);

    // Each type list entry counts the variations the effect has.
    for (int type = kFirstFadeType; type <= kLastFadeType; ++type) {
        const std::string entry(FadeEffectOf(type)->typeListEntry);
        EXPECT_EQ(entry, std::string(FadeDisplayName(type)) + " (" +
                             std::to_string(FadeVariationList(type).size()) + ")")
            << type;
    }
    const auto shutter = FadeVariationList(3);
    ASSERT_EQ(shutter.size(), 4u);
    EXPECT_EQ(shutter[1].text, "2.右から左 (←)");
    EXPECT_EQ(FadeVariationList(2)[0].text, "1.よこ");
    EXPECT_TRUE(FadeVariationList(0).empty());
    EXPECT_TRUE(FadeVariationList(10).empty()); // the tenth row is not reachable

    EXPECT_EQ(FadeEdgeWidth(1), 0);
    EXPECT_EQ(FadeEdgeWidth(4), 255);
    EXPECT_EQ(FadeEdgeWidth(7), 24);

    EXPECT_EQ(PresetFadeMask(3, 7), FadeMask::FadeShutterL2RImage);
    EXPECT_EQ(PresetFadeMask(2, 1), FadeMask::FadeBlindHorzImage);
    EXPECT_EQ(PresetFadeMask(4, 1), FadeMask::FadeBlankImage);
    EXPECT_EQ(PresetFadeMask(6, 2), FadeMask::FadeRShutterLImage);
    EXPECT_EQ(PresetFadeMask(0, 1), std::nullopt);
    EXPECT_EQ(PresetFadeMask(10, 1), std::nullopt);
}

TEST(FadeMasks, ShutterCurve) {
    const int expected[] = {0, 4, 9, 15, 21};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ShutterCurve(i / 32.0), expected[i]);
    EXPECT_EQ(ShutterCurve(0.5), 128);
    EXPECT_EQ(ShutterCurve(30 / 32.0), 246);
    EXPECT_EQ(ShutterCurve(31 / 32.0), 251);
}

namespace {

struct Sample {
    int x, y;
    int low, high; // the level lies in low..high
};
struct MaskCase {
    FadeMask mask;
    std::vector<Sample> samples;
};

int Level(const CRaster& r, int x, int y) { return r.Pixel(x, y)[0]; }

} // namespace

TEST(FadeMasks, SampleLevels) {
    const MaskCase cases[] = {
        {FadeMask::FadeBlankImage, {{0, 0, 128, 128}, {639, 479, 128, 128}, {300, 200, 128, 128}}},
        {FadeMask::FadeBlindHorzImage,
         {{5, 0, 0, 0},
          {600, 1, 4, 4},
          {0, 16, 128, 128},
          {9, 31, 251, 251},
          {0, 33, 4, 4},
          {639, 479, 251, 251}}},
        {FadeMask::FadeBlindVertImage,
         {{0, 7, 0, 0}, {2, 300, 9, 9}, {48, 0, 128, 128}, {63, 479, 251, 251}}},
        {FadeMask::FadeShutterL2RImage, {{0, 0, 0, 0}, {320, 17, 128, 128}, {639, 479, 255, 255}}},
        {FadeMask::FadeShutterR2LImage, {{0, 3, 255, 255}, {320, 0, 127, 127}, {639, 9, 0, 0}}},
        {FadeMask::FadeShutterU2DImage, {{4, 0, 0, 0}, {600, 240, 128, 128}, {0, 479, 253, 253}}},
        {FadeMask::FadeShutterD2UImage, {{4, 0, 255, 255}, {100, 479, 3, 3}}},
        {FadeMask::FadeRShutterRImage,
         {{321, 100, 0, 1},
          {400, 240, 51, 51},
          {320, 400, 126, 126},
          {100, 240, 201, 201},
          {319, 100, 250, 252}}},
        {FadeMask::FadeRShutterLImage,
         {{319, 100, 3, 4},
          {100, 240, 54, 54},
          {320, 400, 129, 129},
          {400, 240, 204, 204},
          {321, 100, 253, 255}}},
        {FadeMask::FadeCameraOpenImage,
         {{320, 240, 0, 0},
          {320, 120, 59, 59},
          {320, 360, 59, 59},
          {160, 240, 89, 89},
          {480, 240, 89, 89},
          {320, 0, 156, 156},
          {0, 240, 217, 217},
          {0, 0, 255, 255}}},
        {FadeMask::FadeCrossLineHorzImage,
         {{0, 0, 255, 255},
          {639, 15, 0, 0},
          {0, 16, 0, 0},
          {639, 31, 255, 255},
          {0, 32, 255, 255},
          {320, 20, 128, 128}}},
    };
    for (const MaskCase& c : cases) {
        const CRaster mask = PaintFadeMask(c.mask);
        ASSERT_EQ(mask.Width(), 640);
        ASSERT_EQ(mask.Height(), 480);
        for (const Sample& s : c.samples) {
            const int level = Level(mask, s.x, s.y);
            EXPECT_TRUE(level >= s.low && level <= s.high)
                << "mask " << int(c.mask) << " at (" << s.x << ", " << s.y << "): " << level;
            EXPECT_EQ(mask.Pixel(s.x, s.y)[1], level);
        }
    }
}

TEST(FadeMasks, ShapesOfTheScatteredMasks) {
    // Shutters are uniform down each column (or along each row) and run monotonically.
    const CRaster l2r = PaintFadeMask(FadeMask::FadeShutterL2RImage);
    const CRaster u2d = PaintFadeMask(FadeMask::FadeShutterU2DImage);
    const CRaster d2u = PaintFadeMask(FadeMask::FadeShutterD2UImage);
    for (int i = 1; i < 480; ++i) {
        EXPECT_EQ(Level(l2r, 100 + i, i), Level(l2r, 100 + i, 0));
        EXPECT_GE(Level(u2d, 0, i), Level(u2d, 0, i - 1));
        EXPECT_LE(Level(d2u, 0, i), Level(d2u, 0, i - 1));
    }

    // Puzzle: squares of 32 (the first column and row 31) of one level; 105 levels from 0 to 255.
    const CRaster puzzle = PaintFadeMask(FadeMask::FadePuzzleImage);
    std::set<int> levels;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            levels.insert(Level(puzzle, x, y));
            const int squareX = (x + 1) / 32 * 32 - 1, squareY = (y + 1) / 32 * 32 - 1;
            ASSERT_EQ(Level(puzzle, x, y),
                      Level(puzzle, std::max(squareX, 0), std::max(squareY, 0)))
                << x << "," << y;
        }
    }
    EXPECT_EQ(levels.size(), 105u);
    EXPECT_EQ(*levels.begin(), 0);
    EXPECT_EQ(*levels.rbegin(), 255);

    // Wind: the first row all 0; every other row rises from 0..73 by 180..218 levels.
    const CRaster wind = PaintFadeMask(FadeMask::FadeWindL2RImage);
    std::set<int> starts;
    for (int x = 0; x < 640; ++x)
        ASSERT_EQ(Level(wind, x, 0), 0);
    for (int y = 1; y < 480; ++y) {
        const int start = Level(wind, 0, y), end = Level(wind, 639, y);
        starts.insert(start);
        EXPECT_LE(start, 73);
        EXPECT_GE(end - start, 180);
        EXPECT_LE(end - start, 218);
        for (int x = 1; x < 640; ++x)
            ASSERT_GE(Level(wind, x, y), Level(wind, x - 1, y));
    }
    EXPECT_GT(starts.size(), 20u);
}

TEST(FadeMasks, KeptOncePainted) {
    CPresetFadeMasks masks;
    const CRaster& first = masks.Get(FadeMask::FadeCameraOpenImage);
    EXPECT_EQ(&first, &masks.Get(FadeMask::FadeCameraOpenImage));
    EXPECT_EQ(first, PaintFadeMask(FadeMask::FadeCameraOpenImage));
}
