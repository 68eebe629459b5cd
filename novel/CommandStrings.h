#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The command lines the editor writes, one function per written form; the command dialogs call
// them and hand the line to the text editor. Names and files are Shift-JIS and are written as
// given, between double quotes.
namespace miravo {

// The fade arguments: nothing (the standard fade), "<EFFECT> <variation>" (standard speed) or
// "<EFFECT> <variation> <speed>". Effect 0 ("DEFAULT") or an unknown number gives nothing.
struct FadeChoice {
    int effect = 0;    // 1 to 9: the effect keywords NONE .. CROSSLINE
    int variation = 1; // 1-based
    int speed = -1;    // milliseconds; -1: the standard speed
};
std::string FadeArguments(const FadeChoice& fade);

enum class VerticalPlacement { Top, Middle, Bottom };
enum class HorizontalPlacement { Left, Center, Right };
std::string_view PlacementKeyword(VerticalPlacement placement);   // "TOP", "MIDDLE", "BOTTOM"
std::string_view PlacementKeyword(HorizontalPlacement placement); // "LEFT", "CENTER", "RIGHT"

enum class FontFace { Gothic, Mincho };

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
// A Windows colour value 0x00BBGGRR as red, green and blue.
Rgb RgbOf(std::uint32_t colorRef);

std::string NextPageCommand();             // .NextPage
std::string WaitCommand(int milliseconds); // .Wait 1000
// `.GraphLoad "<file>" <fade>`: the blank after the quote is always written.
std::string GraphLoadCommand(std::string_view file, const FadeChoice& fade);
// `.GraphFill R G B A <fade>`: opacity 100 when none is given; the blank after it always.
std::string GraphFillCommand(Rgb color, std::optional<int> opacity, const FadeChoice& fade);
std::string CharSetCommand(std::string_view name, std::string_view file, VerticalPlacement vertical,
                           HorizontalPlacement horizontal);
std::string CharDeleteCommand(std::string_view name);
std::string CharClearCommand();
std::string WindowSetCommand(std::string_view window);
std::string WindowHideCommand();
std::string LinkWindowSetCommand(std::string_view window);
std::string LinkWindowDefaultCommand();
// `.BGMPlay "<file>"`, with " <fade-in>" only when a fade-in is given.
std::string BGMPlayCommand(std::string_view file, std::optional<int> fadeInMilliseconds);
std::string BGMStopCommand();
std::string BGMFadeoutCommand(int milliseconds);
std::string SoundPlayCommand(std::string_view file);
std::string SoundStopCommand();
std::string MidiPlayCommand(std::string_view file);
std::string MidiStopCommand();
std::string MidiFadeoutCommand(int milliseconds);
std::string CounterSetCommand(std::string_view counter, int value);
std::string CounterPlusCommand(std::string_view counter, int amount);
std::string CounterRndSetCommand(std::string_view counter, int low, int high);
std::string CounterRndPlusCommand(std::string_view counter, int low, int high);
std::string FontTypeCommand(FontFace face);
std::string FontSizeCommand(int dots);
std::string FontColorCommand(Rgb color);
std::string FontDefaultCommand();

} // namespace miravo
