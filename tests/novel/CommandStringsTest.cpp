#include "SampleNovels.h"

#include "novel/CommandParser.h"
#include "novel/CommandStrings.h"

#include <gtest/gtest.h>

using namespace miravo;
using miravo::test::Sj;

TEST(CommandStrings, FadeArguments) {
    EXPECT_EQ(FadeArguments({}), "");
    EXPECT_EQ(FadeArguments({0, 3, 500}), ""); // DEFAULT is never written
    EXPECT_EQ(FadeArguments({2, 1, -1}), "BLIND 1");
    EXPECT_EQ(FadeArguments({6, 2, 1250}), "R-SUTTER 2 1250");
    EXPECT_EQ(FadeArguments({10, 1, 250}), "");
}

TEST(CommandStrings, GraphicCommandsKeepTheirTrailingBlank) {
    EXPECT_EQ(GraphLoadCommand("bg.jpg", {}), ".GraphLoad \"bg.jpg\" ");
    EXPECT_EQ(GraphLoadCommand(Sj("背景\\表.png"), {9, 4, 20000}),
              ".GraphLoad \"" + Sj("背景\\表.png") + "\" CROSSLINE 4 20000");
    EXPECT_EQ(GraphFillCommand({255, 0, 16}, std::nullopt, {}), ".GraphFill 255 0 16 100 ");
    EXPECT_EQ(GraphFillCommand({1, 2, 3}, 45, {4, 1, -1}), ".GraphFill 1 2 3 45 BLEND 1");
    // What the dialogs write, file collection reads back.
    const auto words = SplitCommandWords(GraphLoadCommand("a b.jpg", {}));
    EXPECT_EQ(words, (std::vector<std::string>{".GraphLoad", "a b.jpg", ""}));
    EXPECT_TRUE(IsKnownCommand(GraphFillCommand({}, std::nullopt, {})));
}

TEST(CommandStrings, CharacterWindowAndFontCommands) {
    EXPECT_EQ(
        CharSetCommand(Sj("少女"), "c\\g.png", VerticalPlacement::Top, HorizontalPlacement::Right),
        ".CharSet \"" + Sj("少女") + "\" \"c\\g.png\" TOP RIGHT");
    EXPECT_EQ(CharSetCommand("n", "f", VerticalPlacement::Middle, HorizontalPlacement::Center),
              ".CharSet \"n\" \"f\" MIDDLE CENTER");
    EXPECT_EQ(CharSetCommand("n", "f", VerticalPlacement::Bottom, HorizontalPlacement::Left),
              ".CharSet \"n\" \"f\" BOTTOM LEFT");
    EXPECT_EQ(CharDeleteCommand(""), ".CharDelete \"\"");
    EXPECT_EQ(CharClearCommand(), ".CharClear");
    EXPECT_EQ(WindowSetCommand("w 1"), ".WindowSet \"w 1\"");
    EXPECT_EQ(WindowHideCommand(), ".WindowHide");
    EXPECT_EQ(LinkWindowSetCommand("w"), ".LinkWindowSet \"w\"");
    EXPECT_EQ(LinkWindowDefaultCommand(), ".LinkWindowDefault");
    EXPECT_EQ(FontTypeCommand(FontFace::Gothic), ".FontType GOTHIC");
    EXPECT_EQ(FontTypeCommand(FontFace::Mincho), ".FontType MINCHO");
    EXPECT_EQ(FontSizeCommand(28), ".FontSize 28");
    EXPECT_EQ(FontColorCommand(RgbOf(0x00336699)), ".FontColor 153 102 51");
    EXPECT_EQ(FontDefaultCommand(), ".FontDefault");
    EXPECT_EQ(NextPageCommand(), ".NextPage");
}

TEST(CommandStrings, SoundWaitAndCounterCommands) {
    EXPECT_EQ(WaitCommand(1000), ".Wait 1000");
    EXPECT_EQ(WaitCommand(2147483647), ".Wait 2147483647");
    EXPECT_EQ(BGMPlayCommand("m.ogg", std::nullopt), ".BGMPlay \"m.ogg\"");
    EXPECT_EQ(BGMPlayCommand("m.ogg", 2000), ".BGMPlay \"m.ogg\" 2000");
    EXPECT_EQ(BGMStopCommand(), ".BGMStop");
    EXPECT_EQ(BGMFadeoutCommand(0), ".BGMFadeout 0");
    EXPECT_EQ(SoundPlayCommand("s.wav"), ".SoundPlay \"s.wav\"");
    EXPECT_EQ(SoundStopCommand(), ".SoundStop");
    EXPECT_EQ(MidiPlayCommand("a.mid"), ".MidiPlay \"a.mid\"");
    EXPECT_EQ(MidiStopCommand(), ".MidiStop");
    EXPECT_EQ(MidiFadeoutCommand(2500), ".MidiFadeout 2500");
    EXPECT_EQ(CounterSetCommand("c", -5), ".CounterSet \"c\" -5");
    EXPECT_EQ(CounterPlusCommand("c", -2147483647 - 1), ".CounterPlus \"c\" -2147483648");
    EXPECT_EQ(CounterRndSetCommand("c", -1, 9), ".CounterRndSet \"c\" -1 9");
    EXPECT_EQ(CounterRndPlusCommand(Sj("好感度"), 0, 3),
              ".CounterRndPlus \"" + Sj("好感度") + "\" 0 3");
}
