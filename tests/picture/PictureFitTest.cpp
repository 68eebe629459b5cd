// Fitting pictures into the properties preview and the graphic dialog's 324 x 243 area.
#include "picture/PictureFit.h"

#include <gtest/gtest.h>

using namespace miravo;

namespace {

TEST(PictureFit, WidthFirstThenHeightRoundedAndCentred) {
    struct Case {
        int w, h, areaW, areaH;
        PictureFit fit;
    };
    const Case cases[] = {
        // 640 x 480 into the graphic preview fills it exactly.
        {640, 480, 324, 243, {0, 0, 324, 243}},
        // Wide: width first; 300 * 324 / 800 = 121.5, a half: to the even 122.
        {800, 300, 324, 243, {0, 60, 324, 122}},
        // Tall: the height would be 648, so the height fits and the width is 121.5 -> 122.
        {200, 400, 324, 243, {101, 0, 122, 243}},
        // Small pictures are enlarged as well.
        {32, 24, 324, 243, {0, 0, 324, 243}},
        // 100 x 99 into a square area: top = 50 - 49.
        {100, 99, 100, 100, {0, 1, 100, 99}},
        // 300 x 200 into 100 x 100: 66.67 -> 67; top = 50 - 33.
        {300, 200, 100, 100, {0, 17, 100, 67}},
        // Odd area and odd size: halves are dropped toward zero on each side.
        {10, 30, 101, 51, {42, 0, 17, 51}},
        // A one-pixel line.
        {1000, 1, 324, 243, {0, 121, 324, 0}},
        // Nothing to fit.
        {0, 10, 324, 243, {}},
        {10, 10, 0, 243, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitPicture(c.w, c.h, c.areaW, c.areaH), c.fit) << c.w << "x" << c.h;
    EXPECT_EQ(FitGraphicPreview(800, 300), (PictureFit{0, 60, 324, 122}));
}

} // namespace
