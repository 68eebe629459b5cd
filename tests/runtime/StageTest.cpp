// The scene picture and the text rows without a window: placement, alpha and colour key, fades
// over an injected clock, and wrapping that never splits a double-byte character.
#include "tests/novel/SampleNovels.h"

#include "novel/ShiftJis.h"
#include "runtime/Stage.h"
#include "runtime/TextLayout.h"

#include <gtest/gtest.h>

#include <map>

using namespace miravo;
using namespace miravo::runtime;
using namespace miravo::test;

namespace {

CPicture Solid(int width, int height, std::uint32_t colour,
               std::optional<std::uint8_t> alpha = {}) {
    CPicture picture;
    picture.raster = CRaster(width, height);
    picture.raster.Fill(colour);
    if (alpha)
        picture.alpha = CAlphaMap(width, height, *alpha);
    return picture;
}

} // namespace

TEST(TextLayout, WrapsAtTheWidthAndKeepsCharactersWhole) {
    const CharacterWidth measure = [](std::string_view c) { return c.size() == 2 ? 20 : 10; };
    const struct {
        std::string line;
        int width;
        std::vector<std::string> rows;
    } cases[] = {
        {"abcde", 25, {"ab", "cd", "e"}},
        {"abcd", 40, {"abcd"}},
        {Sj("ァアィ"), 45, {Sj("ァア"), Sj("ィ")}},
        {"a" + Sj("ァ"), 25, {"a", Sj("ァ")}},
        {Sj("ァ"), 5, {Sj("ァ")}}, // narrower than one character: the character still shows
        {"", 10, {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapLine(c.line, c.width, measure), c.rows) << sjis::ToUtf8(c.line);
}

TEST(Stage, LaysPicturesAndFadesOverTime) {
    std::map<std::string, CPicture> files{
        {"red.png", Solid(640, 480, 0x0000FF)},         {"blue.png", Solid(640, 480, 0xFF0000)},
        {"half.png", Solid(100, 200, 0x00FF00, 128)},   {"keyed.bmp", Solid(50, 50, 0x123456)},
        {"window.png", Solid(600, 100, 0xFFFFFF, 255)},
    };
    std::int64_t now = 0;
    Stage stage(
        [&](const std::string& name) -> std::optional<CPicture> {
            const auto found = files.find(name);
            if (found == files.end())
                return std::nullopt;
            return found->second;
        },
        [&] { return now; });
    const ResolvedFade none{1, 1, 0};
    stage.LoadBackground("red.png", none);
    EXPECT_EQ(stage.Screen().ColorAt(10, 10), 0x0000FFu);
    stage.SetCharacter("h", "half.png", VerticalPlacement::Bottom, HorizontalPlacement::Right,
                       none);
    const std::uint32_t mixed = stage.Screen().ColorAt(639, 479);
    EXPECT_NE(mixed, 0x0000FFu);
    EXPECT_NE(mixed, 0x00FF00u);
    EXPECT_EQ(stage.Screen().ColorAt(539, 479), 0x0000FFu); // left of the character
    stage.SetCharacter("k", "keyed.bmp", VerticalPlacement::Top, HorizontalPlacement::Left, none);
    EXPECT_EQ(stage.Screen().ColorAt(0, 0), 0x0000FFu); // all of it is its own key colour
    CTextWindow window;
    window.GraphicFile = "window.png";
    window.VAlign = "BOTTOM";
    stage.SetTextWindow(&window);
    EXPECT_EQ(stage.Screen().ColorAt(320, 470), 0xFFFFFFu);
    EXPECT_EQ(stage.Screen().ColorAt(10, 470), 0x0000FFu);
    stage.SetTextWindow(nullptr);
    stage.DeleteCharacter("h", none);
    EXPECT_EQ(stage.Screen().ColorAt(639, 479), 0x0000FFu);

    stage.LoadBackground("blue.png", ResolvedFade{4, 1, 1000}); // BLEND over a second
    ASSERT_TRUE(stage.Fading());
    EXPECT_EQ(stage.Screen().ColorAt(320, 240), 0x0000FFu);
    now = 500;
    stage.Tick();
    const std::uint32_t halfway = stage.Screen().ColorAt(320, 240);
    EXPECT_NE(halfway, 0x0000FFu);
    EXPECT_NE(halfway, 0xFF0000u);
    now = 1200;
    stage.Tick();
    EXPECT_FALSE(stage.Fading());
    EXPECT_EQ(stage.Screen().ColorAt(320, 240), 0xFF0000u);

    stage.LoadBackground("missing.png", none); // a missing picture leaves black, no error
    EXPECT_EQ(stage.Screen().ColorAt(320, 240), 0u);
    stage.Fill(Rgb{255, 255, 255}, 100, none);
    EXPECT_EQ(stage.Screen().ColorAt(320, 240), 0xFFFFFFu);
}
