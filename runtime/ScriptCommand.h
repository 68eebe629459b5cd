#pragma once

#include "novel/CommandStrings.h"
#include "novel/ScriptSyntax.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A command line read the way the player takes it: the command's argument table decides what is
// well-formed; whatever is not is skipped with a reason, never fatal.
namespace miravo::runtime {

struct ScriptCommand {
    const CommandSyntax* syntax = nullptr; // null for an unknown command word
    std::string word;                      // the command word in upper case (".GRAPHLOAD")
    std::vector<std::string> arguments;    // the words after the command word
    // The value of each fixed argument that is a number (0 for the others).
    std::vector<std::int32_t> numbers;
    FadeChoice fade; // effect 0: the standard fade; speed -1: standard speed
    std::optional<std::int32_t> trailingNumber; // .BGMPlay's fade-in
    std::string error;                          // UTF-8; empty when the line is well-formed

    bool Ok() const { return syntax != nullptr && error.empty(); }
};

ScriptCommand ParseScriptCommand(std::string_view line);

std::optional<VerticalPlacement> VerticalPlacementOf(std::string_view keyword);
std::optional<HorizontalPlacement> HorizontalPlacementOf(std::string_view keyword);

} // namespace miravo::runtime
