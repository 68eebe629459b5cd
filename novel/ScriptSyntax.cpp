#include "novel/ScriptSyntax.h"

#include "novel/CommandParser.h"
#include "novel/ShiftJis.h"

#include <array>
#include <unordered_map>

namespace miravo {
namespace {

using K = ArgumentKind;
constexpr std::int64_t kAnyLow = INT32_MIN;
constexpr std::int64_t kAnyHigh = INT32_MAX;

ArgumentSyntax Number(std::int64_t low, std::int64_t high) { return {K::Number, low, high}; }
ArgumentSyntax Of(ArgumentKind kind) { return {kind}; }

const std::vector<CommandSyntax>& Table() {
    static const std::vector<CommandSyntax> table = [] {
        const ArgumentSyntax milliseconds = Number(0, kAnyHigh);
        const ArgumentSyntax colour = Number(0, 255);
        std::vector<CommandSyntax> t;
        t.push_back({".BGMFadeout", ".BGMFadeout <ミリ秒>", {milliseconds}});
        t.push_back({".BGMPlay",
                     ".BGMPlay \"<ファイル>\" [<フェードイン ミリ秒>]",
                     {Of(K::SoundFile)},
                     TrailingSyntax::OptionalNumber,
                     milliseconds});
        t.push_back({".BGMStop", ".BGMStop", {}});
        t.push_back({".CDPlay", ".CDPlay ...", {}, TrailingSyntax::Anything});
        t.push_back({".CDStop", ".CDStop ...", {}, TrailingSyntax::Anything});
        t.push_back({".CharClear", ".CharClear", {}});
        t.push_back({".CharDelete", ".CharDelete \"<名前>\"", {Of(K::CharacterName)}});
        t.push_back({".CharSet",
                     ".CharSet \"<名前>\" \"<ファイル>\" <TOP|MIDDLE|BOTTOM> <LEFT|CENTER|RIGHT>",
                     {Of(K::CharacterName), Of(K::File), Of(K::VerticalPlacement),
                      Of(K::HorizontalPlacement)}});
        t.push_back({".CounterPlus",
                     ".CounterPlus \"<カウンタ>\" <増減>",
                     {Of(K::CounterName), Number(kAnyLow, kAnyHigh)}});
        CommandSyntax rndPlus{
            ".CounterRndPlus",
            ".CounterRndPlus \"<カウンタ>\" <下限> <上限>",
            {Of(K::CounterName), Number(kAnyLow, kAnyHigh), Number(kAnyLow, kAnyHigh)}};
        rndPlus.orderedLow = 2;
        rndPlus.orderedHigh = 3;
        t.push_back(rndPlus);
        CommandSyntax rndSet{".CounterRndSet",
                             ".CounterRndSet \"<カウンタ>\" <下限> <上限>",
                             {Of(K::CounterName), Of(K::CounterValue), Of(K::CounterValue)}};
        rndSet.orderedLow = 2;
        rndSet.orderedHigh = 3;
        t.push_back(rndSet);
        t.push_back({".CounterSet",
                     ".CounterSet \"<カウンタ>\" <値>",
                     {Of(K::CounterName), Of(K::CounterValue)}});
        t.push_back({".FontColor", ".FontColor <赤> <緑> <青>", {colour, colour, colour}});
        t.push_back({".FontDefault", ".FontDefault", {}});
        t.push_back({".FontSize", ".FontSize <ドット>", {Number(12, 200)}});
        t.push_back({".FontType", ".FontType <GOTHIC|MINCHO>", {Of(K::FontFace)}});
        t.push_back({".GraphFill",
                     ".GraphFill <赤> <緑> <青> <不透明度> [<効果> <種類> [<速度>]]",
                     {colour, colour, colour, Number(0, 100)},
                     TrailingSyntax::Fade});
        t.push_back({".GraphLoad",
                     ".GraphLoad \"<ファイル>\" [<効果> <種類> [<速度>]]",
                     {Of(K::File)},
                     TrailingSyntax::Fade});
        t.push_back({".LinkWindowDefault", ".LinkWindowDefault", {}});
        t.push_back({".LinkWindowSet", ".LinkWindowSet \"<ウインドウ>\"", {Of(K::WindowName)}});
        t.push_back({".MidiFadeout", ".MidiFadeout <ミリ秒>", {milliseconds}});
        t.push_back({".MidiPlay", ".MidiPlay \"<ファイル>\"", {Of(K::File)}});
        t.push_back({".MidiStop", ".MidiStop", {}});
        t.push_back({".NextPage", ".NextPage", {}});
        t.push_back({".SoundPlay", ".SoundPlay \"<ファイル>\"", {Of(K::SoundFile)}});
        t.push_back({".SoundStop", ".SoundStop", {}});
        t.push_back({".Wait", ".Wait <ミリ秒>", {milliseconds}});
        t.push_back({".WindowHide", ".WindowHide", {}});
        t.push_back({".WindowSet", ".WindowSet \"<ウインドウ>\"", {Of(K::WindowName)}});
        return t;
    }();
    return table;
}

} // namespace

const CommandSyntax* FindCommandSyntax(std::string_view commandWord) {
    static const std::unordered_map<std::string, const CommandSyntax*> byWord = [] {
        std::unordered_map<std::string, const CommandSyntax*> map;
        for (const CommandSyntax& syntax : Table())
            map.emplace(sjis::AsciiUpper(syntax.writtenForm), &syntax);
        return map;
    }();
    const auto found = byWord.find(sjis::AsciiUpper(commandWord));
    return found == byWord.end() ? nullptr : found->second;
}

std::span<const CommandSyntax> AllCommandSyntaxes() { return Table(); }

std::vector<std::string> CommandArguments(std::string_view line) {
    std::vector<std::string> words = SplitCommandWords(line);
    const bool endsInBlank = !line.empty() && (line.back() == ' ' || line.back() == '\t');
    if (endsInBlank && words.size() > 1 && words.back().empty())
        words.pop_back();
    return words;
}

std::optional<std::int32_t> ParseScriptNumber(std::string_view word) {
    std::size_t position = word.starts_with('-') ? 1 : 0;
    if (position == word.size() || word.size() - position > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (; position < word.size(); ++position) {
        const char c = word[position];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (word.starts_with('-'))
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool HasUnclosedQuote(std::string_view line) {
    bool open = false;
    for (std::size_t i = 0; i < line.size(); i += sjis::CharLength(line, i)) {
        if (line[i] == '"')
            open = !open;
    }
    return open;
}

int FadeVariationCount(int effect) {
    // NONE, BLIND, SHUTTER, BLEND, PUZZLE, R-SUTTER, CAMERA, WIND, CROSSLINE.
    static constexpr std::array<int, 10> counts{0, 1, 2, 4, 1, 1, 2, 1, 1, 1};
    return effect >= 1 && effect <= 9 ? counts[std::size_t(effect)] : 0;
}

} // namespace miravo
