#pragma once

#include "novel/CommandStrings.h"
#include "picture/Raster.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the command dialogs of the graphic, display, sound, wait and counter commands compute,
// without windows. Names and files are Shift-JIS bytes, as the script holds them.
namespace miravo {

// The graphic dialog's result, `"<file>" <fade>`: the blank after the quote always.
std::string GraphicResult(std::string_view file, std::string_view fadeArguments);
// The sound dialogs' result, `"<file>"`, with " <fade-in>" when one is given.
std::string SoundResult(std::string_view file, std::optional<int> fadeIn);
// The character dialog's result, `"<name>" "<file>" <V> <H>`.
std::string CharacterResult(std::string_view name, std::string_view file, VerticalPlacement v,
                            HorizontalPlacement h);

// Where a character picture of `width` x `height` goes on the 640 x 480 screen; may be negative.
struct CharacterOrigin {
    int x = 0;
    int y = 0;
    friend bool operator==(const CharacterOrigin&, const CharacterOrigin&) = default;
};
CharacterOrigin CharacterOriginOf(int width, int height, VerticalPlacement v,
                                  HorizontalPlacement h);

// The character preview: `background` (640 x 480) with the character drawn at its place, through
// its alpha (255 = opaque) when it has one, else keyed on its top-left pixel.
CRaster ComposeCharacterPreview(const CRaster& background, const CPicture* character,
                                VerticalPlacement v, HorizontalPlacement h);

// The font dialog: the lines of the ticked boxes, in the order face, size, colour.
struct FontFormValues {
    bool changeFace = false;
    FontFace face = FontFace::Gothic;
    bool changeSize = false;
    int size = 28;
    bool changeColor = false;
    std::uint32_t color = 0xFFFFFF; // 0x00BBGGRR
};
std::vector<std::string> FontCommandLines(const FontFormValues& values);

// Number fields force their value into their bounds on every commit.
struct NumberBounds {
    int low = -2147483647;
    int high = 2147483647;
    int Clamp(int value) const { return value < low ? low : value > high ? high : value; }
};

// The random-range dialogs keep low <= high: a committed low above the high value carries the
// high value along, a committed high below the low value the low value.
struct CounterRange {
    int low = 0;
    int high = 0;
    void CommitLow(int value, const NumberBounds& bounds);
    void CommitHigh(int value, const NumberBounds& bounds);
};

// The command menu's dialog entries.
enum class CommandDialog {
    Wait,
    GraphLoad,
    GraphFill,
    CharSet,
    CharDelete,
    Font,
    WindowSet,
    LinkWindowSet,
    SoundPlay,
    BGMPlay,
    MidiPlay,
    BGMFadeout,
    MidiFadeout,
    CounterSet,
    CounterPlus,
    CounterRndSet,
    CounterRndPlus,
};
// The dialogs that choose a file under the novel folder open only once the novel has a file.
bool NeedsSavedNovel(CommandDialog dialog);
// The command word the text editor writes before a returning dialog's result; empty for the
// dialogs that write their lines themselves.
std::string_view ResultCommandWord(CommandDialog dialog);

} // namespace miravo
