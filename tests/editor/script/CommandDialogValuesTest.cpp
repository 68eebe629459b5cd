// The command dialogs' rules without windows: results, the fade dialog's outputs and preview
// choice, the character placement and preview, the font lines and the counter range rule.
#include "editor/script/CommandDialogValues.h"
#include "editor/script/FadeFormValues.h"

#include <gtest/gtest.h>

using namespace miravo;

TEST(FadeFormValues, OutputsPresetAndPreview) {
    FadeFormValues values;
    // Confirming the standard effect: type 0, no fade arguments, the speed from the radio group.
    FadeFormResult result = FadeResultOf(values);
    EXPECT_EQ(result.choice.effect, 0);
    EXPECT_EQ(result.choice.speed, -1);
    EXPECT_EQ(result.fadeArguments, "");

    PresetFadeValues(values, 2, 2, 1250); // BLIND, 2.たて, 1250
    EXPECT_FALSE(values.standardEffect);
    EXPECT_EQ(values.typeRow, 1);
    EXPECT_EQ(values.variationRow, 1);
    EXPECT_FALSE(values.standardSpeed);
    EXPECT_EQ(values.speed, 1250);
    EXPECT_EQ(FadeResultOf(values).fadeArguments, "BLIND 2 1250");
    values.standardSpeed = true;
    EXPECT_EQ(FadeResultOf(values).fadeArguments, "BLIND 2");

    const NovelFadeDefault novel{"camera", 1, 900};
    EXPECT_EQ(PreviewChoiceOf(values, novel).speed, 900);
    EXPECT_EQ(PreviewChoiceOf(values, novel).effect, 2);
    PresetFadeValues(values, 0, 1, -1);
    EXPECT_TRUE(values.standardEffect);
    EXPECT_EQ(PreviewChoiceOf(values, novel).effect, 7);
    EXPECT_EQ(PreviewChoiceOf(values, {"R-SHUTTER", 1, 500}).effect, 0);
    EXPECT_EQ(ClampFadeSpeed(20001), 20000);
    EXPECT_EQ(ClampFadeSpeed(0), 250);

    EXPECT_EQ(FadePanelTextsOf({0, 1, -1}).name, "標準のフェード効果");
    EXPECT_EQ(FadePanelTextsOf({0, 1, -1}).variation, "");
    const FadePanelTexts shutter = FadePanelTextsOf({3, 2, 1500});
    EXPECT_EQ(shutter.name, "シャッター");
    EXPECT_EQ(shutter.variation, "バリエーション 2");
    EXPECT_EQ(shutter.speed, "スピード 1500ミリ秒");
    EXPECT_EQ(FadePanelTextsOf({4, 1, -1}).speed, "標準のスピード");
}

TEST(CommandDialogValues, ResultsAndLines) {
    EXPECT_EQ(GraphicResult("*.jpg;*.bmp", ""), "\"*.jpg;*.bmp\" ");
    EXPECT_EQ(GraphicResult("bg\\a.jpg", "BLIND 1"), "\"bg\\a.jpg\" BLIND 1");
    EXPECT_EQ(SoundResult("bgm\\town.ogg", 1500), "\"bgm\\town.ogg\" 1500");
    EXPECT_EQ(SoundResult("bgm\\town.ogg", std::nullopt), "\"bgm\\town.ogg\"");
    EXPECT_EQ(CharacterResult("a", "c.png", VerticalPlacement::Bottom, HorizontalPlacement::Left),
              "\"a\" \"c.png\" BOTTOM LEFT");

    FontFormValues font;
    EXPECT_TRUE(FontCommandLines(font).empty());
    font.changeSize = true;
    font.changeColor = true;
    font.color = 0x0080FF;
    EXPECT_EQ(FontCommandLines(font),
              (std::vector<std::string>{".FontSize 28", ".FontColor 255 128 0"}));
    font.changeFace = true;
    font.face = FontFace::Mincho;
    EXPECT_EQ(FontCommandLines(font).front(), ".FontType MINCHO");
}

TEST(CommandDialogValues, SaveFirstRuleAndResultWords) {
    EXPECT_TRUE(NeedsSavedNovel(CommandDialog::GraphLoad));
    EXPECT_TRUE(NeedsSavedNovel(CommandDialog::MidiPlay));
    EXPECT_FALSE(NeedsSavedNovel(CommandDialog::GraphFill));
    EXPECT_FALSE(NeedsSavedNovel(CommandDialog::CounterSet));
    EXPECT_EQ(ResultCommandWord(CommandDialog::BGMPlay), ".BGMPlay ");
    EXPECT_EQ(ResultCommandWord(CommandDialog::CharSet), ".CharSet ");
    EXPECT_EQ(ResultCommandWord(CommandDialog::Wait), "");
}

TEST(CommandDialogValues, CounterRangeKeepsLowBelowHigh) {
    const NumberBounds counter{0, 10};
    CounterRange range;
    range.CommitLow(5, counter);
    EXPECT_EQ(range.high, 5); // the high value follows a low value above it
    range.CommitHigh(2, counter);
    EXPECT_EQ(range.low, 2);
    EXPECT_EQ(range.high, 2);
    range.CommitHigh(11, counter);
    EXPECT_EQ(range.high, 10);
    range.CommitLow(-4, counter);
    EXPECT_EQ(range.low, 0);
    EXPECT_EQ(NumberBounds{}.Clamp(-2147483647 - 1), -2147483647);
}

TEST(CommandDialogValues, CharacterPlacementAndPreview) {
    EXPECT_EQ(CharacterOriginOf(700, 100, VerticalPlacement::Top, HorizontalPlacement::Center),
              (CharacterOrigin{-30, 0}));
    EXPECT_EQ(CharacterOriginOf(10, 101, VerticalPlacement::Middle, HorizontalPlacement::Right),
              (CharacterOrigin{630, 190}));
    EXPECT_EQ(CharacterOriginOf(10, 500, VerticalPlacement::Bottom, HorizontalPlacement::Left),
              (CharacterOrigin{0, -20}));

    CRaster background(640, 480);
    background.Fill(0x0000FF);
    // 700 wide, centred: clipped on both sides. Keyed on its top-left pixel (green).
    CPicture wide{CRaster(700, 20), std::nullopt};
    wide.raster.Fill(0x00FF00);
    wide.raster.SetColor(100, 5, 0xFFFFFF);
    CRaster canvas = ComposeCharacterPreview(background, &wide, VerticalPlacement::Top,
                                             HorizontalPlacement::Center);
    EXPECT_EQ(canvas.ColorAt(0, 0), 0x0000FFu);  // key colour: background shows
    EXPECT_EQ(canvas.ColorAt(70, 5), 0xFFFFFFu); // x = 100 - 30
    EXPECT_EQ(canvas.ColorAt(639, 19), 0x0000FFu);

    // With alpha: opaque parts show the character, transparent ones the background.
    CPicture alpha{CRaster(2, 1), CAlphaMap(2, 1, 255)};
    alpha.raster.Fill(0xFFFFFF);
    alpha.alpha->Row(0)[1] = 0;
    canvas = ComposeCharacterPreview(background, &alpha, VerticalPlacement::Top,
                                     HorizontalPlacement::Left);
    EXPECT_EQ(canvas.ColorAt(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.ColorAt(1, 0), 0x0000FFu);
    EXPECT_EQ(ComposeCharacterPreview(background, nullptr, VerticalPlacement::Top,
                                      HorizontalPlacement::Left),
              background);
}
