#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The arguments each command takes, in the forms the command dialogs write: what the novel
// check compares typed lines against, and what a player reads.
namespace miravo {

enum class ArgumentKind {
    File,          // a picture or MIDI file, relative to the novel folder
    SoundFile,     // a sound file; the player also tries the name with .ogg, .wav and .mp3
    CharacterName, // may be empty
    CounterName,
    WindowName,
    Number,       // a decimal integer within [low, high]
    CounterValue, // a number within the named counter's range
    VerticalPlacement,
    HorizontalPlacement,
    FontFace,
};

struct ArgumentSyntax {
    ArgumentKind kind = ArgumentKind::Number;
    std::int64_t low = INT32_MIN;
    std::int64_t high = INT32_MAX;
};

// What may follow the fixed arguments.
enum class TrailingSyntax {
    None,
    Fade,           // nothing, <EFFECT> <variation> or <EFFECT> <variation> <speed>
    OptionalNumber, // one optional number within the trailing range
    Anything,       // a command whose arguments the editor does not define
};

struct CommandSyntax {
    std::string_view writtenForm; // mixed case, as the dialogs write it (".GraphLoad")
    std::string_view usage;       // UTF-8, the form with its argument names
    std::vector<ArgumentSyntax> arguments;
    TrailingSyntax trailing = TrailingSyntax::None;
    ArgumentSyntax trailingNumber{};
    // The low and high arguments (1-based word positions) that must come in that order.
    int orderedLow = 0;
    int orderedHigh = 0;
};

// The syntax of a command word (letter case ignored); null for an unknown word or a marker.
const CommandSyntax* FindCommandSyntax(std::string_view commandWord);
std::span<const CommandSyntax> AllCommandSyntaxes();

// The command words after SplitCommandWords, without the empty word that the generated blank at
// the end of a line (`.GraphLoad "bg.jpg" `) leaves.
std::vector<std::string> CommandArguments(std::string_view line);

// A decimal integer with an optional leading "-" that fits 32 bits.
std::optional<std::int32_t> ParseScriptNumber(std::string_view word);

// A double quote opened and never closed (double-byte characters stepped over whole).
bool HasUnclosedQuote(std::string_view line);

// The number of variations of a fade effect (1 to 9); 0 for any other number.
int FadeVariationCount(int effect);

} // namespace miravo
