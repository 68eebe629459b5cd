#include "editor/properties/TextWindowOperations.h"
#include "editor/properties/TextWindowPreview.h"
#include "tests/editor/support/SessionTest.h"

#include <gtest/gtest.h>

namespace miravo::test {
namespace {

class TextWindowOperationsTest : public SessionTest {
protected:
    TextWindowOperations& windows = session.TextWindows();
    std::string NameAt(int index) { return SjisString(model.TextWindows[index].Name).ToUtf8(); }
};

TEST_F(TextWindowOperationsTest, NewWindowsAreNumberedAndDeleteAsks) {
    windows.NewWindow();
    windows.NewWindow();
    windows.NewWindow();
    EXPECT_EQ(NameAt(0), "(新規ウインドウ1)");
    EXPECT_EQ(NameAt(2), "(新規ウインドウ3)");
    EXPECT_TRUE(views.Called("RefreshTextWindows"));

    ui.answers = {MessageResult::Ok};
    EXPECT_TRUE(windows.DeleteWindow(0));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "テキストウインドウ \"(新規ウインドウ1)\" を削除してもよろしいですか？");
    EXPECT_EQ(model.TextWindows.Count(), 2);
    windows.NewWindow();
    EXPECT_EQ(NameAt(2), "(新規ウインドウ4)");

    session.Lifecycle().NewNovel();
    windows.NewWindow();
    EXPECT_EQ(NameAt(0), "(新規ウインドウ1)");
}

TEST_F(TextWindowOperationsTest, EditingWaitsForASavedNovel) {
    state.hasFileName = false;
    EXPECT_FALSE(windows.MayEdit());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "テキストウインドウを編集する前に、\r\nデータを一度保存してください。");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    state.hasFileName = true;
    EXPECT_TRUE(windows.MayEdit());
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(TextWindowOperationsTest, StoreTakesEveryFieldAsEnteredButRefusesAnEmptyName) {
    windows.NewWindow();
    const CTextWindow before = model.TextWindows[0];
    EXPECT_FALSE(windows.StoreWindow(0, {.name = ""}));
    EXPECT_EQ(model.TextWindows[0], before);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "テキストウインドウ名を入力してください。");

    ASSERT_TRUE(windows.StoreWindow(0, {.name = "会話",
                                        .graphicFile = "win\\frame.png",
                                        .vAlign = "BOTTOM",
                                        .hAlign = "LEFT",
                                        .textRect = {600, 400, 40, 16}}));
    const CTextWindow& window = model.TextWindows[0];
    EXPECT_EQ(NameAt(0), "会話");
    EXPECT_EQ(window.GraphicFile, "win\\frame.png");
    EXPECT_EQ(window.VAlign, "BOTTOM");
    EXPECT_EQ(window.HAlign, "LEFT");
    EXPECT_EQ(window.TextRect, (CWindowRect{600, 400, 40, 16})); // inverted, as entered
}

TEST(TextWindowPreviewTest, PulseRunsFromFiveToThirtyOverTwentyFiveFrames) {
    int lowest = 100, highest = 0;
    for (int frame = 0; frame < kTextPulsePeriod; ++frame) {
        const int p = PulseOpacity(frame);
        lowest = std::min(lowest, p);
        highest = std::max(highest, p);
        EXPECT_EQ(PulseOpacity(frame + kTextPulsePeriod), p) << frame;
        EXPECT_EQ(PulseOpacity(frame + 40 * kTextPulsePeriod), p) << frame;
    }
    EXPECT_EQ(lowest, 5);
    EXPECT_EQ(highest, 30);
    // round((sin(2 pi f / 25) * 0.5 + 0.5) * 25 + 5)
    const int expected[][2] = {{0, 18}, {1, 21}, {3, 26}, {6, 30}, {12, 19}, {19, 5}, {24, 14}};
    for (const auto& [frame, p] : expected) {
        EXPECT_EQ(PulseOpacity(frame), p) << frame;
    }
}

TEST(TextWindowPreviewTest, FillBlendsTheRectangleOnlyAndNothingWhenInverted) {
    CRaster screen(640, 480);
    screen.Fill(0x00808080);
    FillTextRectangle(screen, {10, 20, 30, 40}, 6); // 30 %: d = 76
    const int d = 30 * 256 / 100;
    const std::uint32_t r = (0x80 * (256 - d)) / 256 + 255 * d / 256;
    const std::uint32_t g = (0x80 * (256 - d)) / 256;
    const std::uint32_t b = (0x80 * (256 - d)) / 256 + 32 * d / 256;
    EXPECT_EQ(screen.ColorAt(10, 20), (b << 16) | (g << 8) | r);
    EXPECT_EQ(screen.ColorAt(29, 39), (b << 16) | (g << 8) | r);
    EXPECT_EQ(screen.ColorAt(30, 39), 0x00808080u);
    EXPECT_EQ(screen.ColorAt(9, 20), 0x00808080u);

    CRaster untouched(640, 480);
    untouched.Fill(0x00808080);
    CRaster inverted = untouched;
    FillTextRectangle(inverted, {600, 400, 40, 16}, 6);
    EXPECT_EQ(inverted, untouched);
}

TEST(TextWindowPreviewTest, PictureIsPlacedByItsWordsKeyedOnItsCorner) {
    CRaster background(640, 480);
    background.Fill(0x00111111);
    CPicture picture{CRaster(100, 50), std::nullopt};
    picture.raster.Fill(0x00FF0000);
    picture.raster.SetColor(0, 0, 0x000000FF); // the key
    picture.raster.SetColor(1, 0, 0x000000FF);
    const struct {
        const char *v, *h;
        int x, y;
    } cases[] = {{"TOP", "LEFT", 0, 0},
                 {"MIDDLE", "CENTER", 270, 215},
                 {"BOTTOM", "RIGHT", 540, 430},
                 {"odd", "words", 270, 215}};
    for (const auto& c : cases) {
        const CRaster out = ComposeTextWindowScreen(background, &picture, c.v, c.h);
        EXPECT_EQ(out.ColorAt(c.x, c.y), 0x00111111u) << c.v; // keyed out
        EXPECT_EQ(out.ColorAt(c.x + 2, c.y), 0x00FF0000u) << c.v;
        EXPECT_EQ(out.ColorAt(c.x + 99, c.y + 49), 0x00FF0000u) << c.v;
    }
    EXPECT_EQ(ComposeTextWindowScreen(background, nullptr, "TOP", "LEFT"), background);
}

} // namespace
} // namespace miravo::test
