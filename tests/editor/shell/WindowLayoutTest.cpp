#include "editor/shell/WindowLayout.h"
#include "MemoryProfileFile.h"

#include <gtest/gtest.h>

#include <limits>

using namespace miravo;
using miravo::test::MemoryProfileFile;

namespace {

// Two monitors side by side, the second one left of the primary.
const WindowBounds kScreen{-1280, 0, 1280 + 1920, 1080};

} // namespace

TEST(WindowLayoutClamp, MainWindowIsBroughtBackInsideTheVirtualScreen) {
    // Inside: unchanged, also on the monitor left of the primary.
    EXPECT_EQ(ClampToVirtualScreen({-1000, 100, 800, 600}, kScreen),
              (WindowBounds{-1000, 100, 800, 600}));
    // Saved on a monitor that is gone, far right and below.
    EXPECT_EQ(ClampToVirtualScreen({3000, 2000, 800, 600}, kScreen),
              (WindowBounds{1120, 480, 800, 600}));
    // Left of and above the screen.
    EXPECT_EQ(ClampToVirtualScreen({-5000, -300, 800, 600}, kScreen),
              (WindowBounds{-1280, 0, 800, 600}));
    // Exactly touching the right and bottom edges stays.
    EXPECT_EQ(ClampToVirtualScreen({1120, 480, 800, 600}, kScreen),
              (WindowBounds{1120, 480, 800, 600}));
}

TEST(WindowLayoutClamp, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt) {
    const WindowBounds screen{0, 0, 1024, 768};
    EXPECT_EQ(ClampToVirtualScreen({300, 200, 1600, 1200}, screen),
              (WindowBounds{0, 0, 1600, 1200}));
    EXPECT_EQ(ClampToVirtualScreen({-300, -200, 1600, 700}, screen),
              (WindowBounds{0, 0, 1600, 700}));
}

TEST(WindowLayoutClamp, ValuesFromAHandEditedFileCannotOverflow) {
    const int big = std::numeric_limits<int>::max() - 10;
    EXPECT_EQ(ClampToVirtualScreen({big, big, 800, 600}, kScreen),
              (WindowBounds{1120, 480, 800, 600}));
    EXPECT_EQ(ClampToVirtualScreen({-big, -big, 800, 600}, kScreen),
              (WindowBounds{-1280, 0, 800, 600}));
    EXPECT_EQ(ClampToVirtualScreen({0, 0, big, big}, kScreen).left, -1280);
}

TEST(WindowLayoutArrange, TextEditorRightSettingsBelowChart) {
    ArrangeMetrics m;
    m.mainClientWidth = 1000;
    m.mainClientHeight = 700;
    m.toolBarHeight = 40;
    m.statusBarHeight = 20;
    m.textFormWidth = 420;
    m.counterFormHeight = 180;
    ArrangedChildren a = ArrangeChildWindows(m);
    // H = 700 - 40 - 20 - 4 = 636
    EXPECT_EQ(a.textForm, (WindowBounds{576, 0, 420, 636}));
    EXPECT_EQ(a.counterForm, (WindowBounds{0, 456, 576, 180}));
    EXPECT_EQ(a.chartForm, (WindowBounds{0, 0, 576, 456}));
    // The three fill the area without overlapping.
    EXPECT_EQ(a.chartForm.Bottom(), a.counterForm.top);
    EXPECT_EQ(a.chartForm.Right(), a.textForm.left);
    EXPECT_EQ(a.counterForm.Bottom(), a.textForm.Bottom());
}

TEST(WindowLayoutArrange, ATinyMainWindowGivesNoNegativeSizes) {
    ArrangeMetrics m;
    m.mainClientWidth = 300;
    m.mainClientHeight = 100;
    m.toolBarHeight = 40;
    m.statusBarHeight = 20;
    m.textFormWidth = 420;
    m.counterFormHeight = 180;
    ArrangedChildren a = ArrangeChildWindows(m);
    EXPECT_EQ(a.textForm, (WindowBounds{-124, 0, 420, 36}));
    EXPECT_EQ(a.counterForm, (WindowBounds{0, -144, 0, 180}));
    EXPECT_EQ(a.chartForm, (WindowBounds{0, 0, 0, 0}));
}

TEST(WindowLayoutReset, OuterSizeKeepsTheFrame) {
    EXPECT_EQ(OuterSizeForClient(430, 414, kResetTextFormClientWidth), 432);
    EXPECT_EQ(OuterSizeForClient(200, 170, kResetCounterFormClientHeight), 180);
}

TEST(WindowLayoutKeys, NameFollowedBySuffixWithoutSeparator) {
    MemoryProfileFile file;
    WriteWindowBounds(file, kTextFormName, {1, -2, 300, 400});
    WriteMaximized(file, kMainFormName, false);
    WriteResumeEnabled(file, false);
    EXPECT_EQ(file.ReadString("WindowLayout", "TextFormLeft"), u"1");
    EXPECT_EQ(file.ReadString("WindowLayout", "TextFormTop"), u"-2");
    EXPECT_EQ(file.ReadString("WindowLayout", "TextFormWidth"), u"300");
    EXPECT_EQ(file.ReadString("WindowLayout", "TextFormHeight"), u"400");
    EXPECT_EQ(file.ReadString("WindowLayout", "MainFormMaximized"), u"0");
    EXPECT_EQ(file.ReadString("WindowLayout", "ResumeEnabled"), u"0");
    EXPECT_EQ(ReadWindowBounds(file, kTextFormName, {}), (WindowBounds{1, -2, 300, 400}));
    EXPECT_FALSE(ReadMaximized(file, kMainFormName));
    EXPECT_FALSE(ReadResumeEnabled(file));
}

TEST(WindowLayoutKeys, AbsentOrUnusableValuesKeepTheCurrentOnes) {
    MemoryProfileFile file;
    EXPECT_TRUE(ReadResumeEnabled(file));
    EXPECT_TRUE(ReadMaximized(file, kMainFormName));
    const WindowBounds current{10, 20, 640, 480};
    EXPECT_EQ(ReadWindowBounds(file, kChartFormName, current), current);

    file.WriteString("WindowLayout", "ChartFormLeft", u"-50");
    file.WriteString("WindowLayout", "ChartFormTop", u"abc");
    file.WriteString("WindowLayout", "ChartFormWidth", u"0");
    file.WriteString("WindowLayout", "ChartFormHeight", u"-480");
    EXPECT_EQ(ReadWindowBounds(file, kChartFormName, current), (WindowBounds{-50, 20, 640, 480}));
}
