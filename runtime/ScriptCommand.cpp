#include "runtime/ScriptCommand.h"

#include "novel/CommandParser.h"
#include "novel/NovelData.h"
#include "novel/ShiftJis.h"

namespace miravo::runtime {
namespace {

bool CountFits(const CommandSyntax& syntax, std::size_t given) {
    const std::size_t fixed = syntax.arguments.size();
    switch (syntax.trailing) {
    case TrailingSyntax::None: return given == fixed;
    case TrailingSyntax::Fade: return given == fixed || given == fixed + 2 || given == fixed + 3;
    case TrailingSyntax::OptionalNumber: return given == fixed || given == fixed + 1;
    case TrailingSyntax::Anything: return true;
    }
    return false;
}

std::optional<std::int32_t> NumberWithin(std::string_view word, std::int64_t low,
                                         std::int64_t high) {
    const std::optional<std::int32_t> value = ParseScriptNumber(word);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

// The reason an argument is not of its kind; empty when it is.
std::string ArgumentError(const ArgumentSyntax& syntax, std::string_view word,
                          std::int32_t& number) {
    switch (syntax.kind) {
    case ArgumentKind::File:
    case ArgumentKind::SoundFile: return word.empty() ? "empty file name" : "";
    case ArgumentKind::CharacterName: return "";
    case ArgumentKind::CounterName:
    case ArgumentKind::WindowName: return word.empty() ? "empty name" : "";
    case ArgumentKind::Number: {
        const auto value = NumberWithin(word, syntax.low, syntax.high);
        if (!value)
            return "not a number from " + std::to_string(syntax.low) + " to " +
                   std::to_string(syntax.high) + ": " + sjis::ToUtf8(word);
        number = *value;
        return "";
    }
    case ArgumentKind::CounterValue: {
        const auto value = ParseScriptNumber(word);
        if (!value)
            return "not a number: " + sjis::ToUtf8(word);
        number = *value;
        return "";
    }
    case ArgumentKind::VerticalPlacement:
        return VerticalPlacementOf(word) ? "" : "not TOP, MIDDLE or BOTTOM: " + sjis::ToUtf8(word);
    case ArgumentKind::HorizontalPlacement:
        return HorizontalPlacementOf(word) ? ""
                                           : "not LEFT, CENTER or RIGHT: " + sjis::ToUtf8(word);
    case ArgumentKind::FontFace: {
        const std::string upper = sjis::AsciiUpper(word);
        return upper == "GOTHIC" || upper == "MINCHO" ? "" : "not GOTHIC or MINCHO";
    }
    }
    return "";
}

std::string FadeError(const std::vector<std::string>& words, std::size_t first, FadeChoice& fade) {
    const std::string keyword = sjis::AsciiUpper(words[first]);
    const int effect = FadeNumberOf(keyword);
    if (effect == 0 && keyword != "DEFAULT")
        return "unknown fade effect: " + sjis::ToUtf8(words[first]);
    fade.effect = effect;
    if (effect != 0) {
        const auto variation = NumberWithin(words[first + 1], 1, FadeVariationCount(effect));
        if (!variation)
            return "no such variation of " + keyword + ": " + sjis::ToUtf8(words[first + 1]);
        fade.variation = *variation;
    }
    if (words.size() > first + 2) {
        const auto speed = NumberWithin(words[first + 2], 0, INT32_MAX);
        if (!speed)
            return "not a fade speed: " + sjis::ToUtf8(words[first + 2]);
        fade.speed = *speed;
    }
    return "";
}

} // namespace

std::optional<VerticalPlacement> VerticalPlacementOf(std::string_view keyword) {
    const std::string upper = sjis::AsciiUpper(keyword);
    if (upper == "TOP")
        return VerticalPlacement::Top;
    if (upper == "MIDDLE")
        return VerticalPlacement::Middle;
    if (upper == "BOTTOM")
        return VerticalPlacement::Bottom;
    return std::nullopt;
}

std::optional<HorizontalPlacement> HorizontalPlacementOf(std::string_view keyword) {
    const std::string upper = sjis::AsciiUpper(keyword);
    if (upper == "LEFT")
        return HorizontalPlacement::Left;
    if (upper == "CENTER")
        return HorizontalPlacement::Center;
    if (upper == "RIGHT")
        return HorizontalPlacement::Right;
    return std::nullopt;
}

ScriptCommand ParseScriptCommand(std::string_view line) {
    ScriptCommand command;
    command.word = sjis::AsciiUpper(CommandWord(line));
    command.syntax = FindCommandSyntax(command.word);
    if (!command.syntax) {
        command.error = "unknown command";
        return command;
    }
    std::vector<std::string> words = CommandArguments(line);
    if (!words.empty())
        words.erase(words.begin());
    command.arguments = words;
    const CommandSyntax& syntax = *command.syntax;
    if (HasUnclosedQuote(line)) {
        command.error = "unclosed quote";
        return command;
    }
    if (!CountFits(syntax, words.size())) {
        command.error = "wrong number of arguments (" + std::to_string(words.size()) +
                        "); usage: " + std::string(syntax.usage);
        return command;
    }
    const std::size_t fixed = syntax.arguments.size();
    command.numbers.assign(fixed, 0);
    for (std::size_t i = 0; i < fixed; ++i) {
        command.error = ArgumentError(syntax.arguments[i], words[i], command.numbers[i]);
        if (!command.error.empty())
            return command;
    }
    if (syntax.trailing == TrailingSyntax::Fade && words.size() > fixed) {
        command.error = FadeError(words, fixed, command.fade);
        if (!command.error.empty())
            return command;
    }
    if (syntax.trailing == TrailingSyntax::OptionalNumber && words.size() > fixed) {
        command.trailingNumber =
            NumberWithin(words[fixed], syntax.trailingNumber.low, syntax.trailingNumber.high);
        if (!command.trailingNumber) {
            command.error = "not a number: " + sjis::ToUtf8(words[fixed]);
            return command;
        }
    }
    if (syntax.orderedLow > 0 && command.numbers[std::size_t(syntax.orderedLow - 1)] >
                                     command.numbers[std::size_t(syntax.orderedHigh - 1)])
        command.error = "low is above high";
    return command;
}

} // namespace miravo::runtime
