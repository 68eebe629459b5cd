#include "novel/CommandParser.h"
#include "novel/NovelCheck.h"
#include "novel/NovelCheckContext.h"
#include "novel/ScriptSyntax.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <vector>

namespace miravo {

std::optional<std::string_view> NearestCommand(std::string_view word) {
    const std::string upper = sjis::AsciiUpper(word);
    std::optional<std::string_view> nearest;
    std::size_t best = SIZE_MAX;
    for (std::size_t k = 0; k < kCommandKeywords.size() - 2; ++k) {
        const std::string_view keyword = kCommandKeywords[k];
        // Edit distance, two rows.
        std::vector<std::size_t> previous(keyword.size() + 1), current(keyword.size() + 1);
        for (std::size_t j = 0; j <= keyword.size(); ++j)
            previous[j] = j;
        for (std::size_t i = 1; i <= upper.size(); ++i) {
            current[0] = i;
            for (std::size_t j = 1; j <= keyword.size(); ++j)
                current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                       previous[j - 1] + (upper[i - 1] != keyword[j - 1])});
            std::swap(previous, current);
        }
        if (previous[keyword.size()] < best) {
            best = previous[keyword.size()];
            nearest = keyword;
        }
    }
    // A typo changes a few letters; a made-up word is no typo of anything.
    const std::size_t allowed =
        std::max<std::size_t>(2, std::min<std::size_t>(3, upper.size() / 3));
    if (best > allowed)
        return std::nullopt;
    return nearest;
}

namespace check {
namespace {

std::string Word(std::string_view shiftJis) { return Quoted(shiftJis); }

class LineChecker {
public:
    LineChecker(Context& context, FileReferences& files, const CommandSyntax& syntax,
                std::vector<std::string> words)
        : context_(context), files_(files), syntax_(syntax), words_(std::move(words)) {}

    void Run() {
        const std::size_t fixed = syntax_.arguments.size();
        const std::size_t given = words_.size() - 1;
        if (!CountFits(fixed, given)) {
            context_.Error(std::string(syntax_.writtenForm) + " の引数の数が正しくありません (" +
                           std::to_string(given) + " 個). 書式: " + std::string(syntax_.usage));
            return;
        }
        for (std::size_t i = 0; i < fixed; ++i)
            Argument(i + 1, syntax_.arguments[i]);
        if (syntax_.trailing == TrailingSyntax::Fade && given > fixed)
            Fade(fixed + 1);
        if (syntax_.trailing == TrailingSyntax::OptionalNumber && given > fixed)
            NumberAt(fixed + 1, syntax_.trailingNumber.low, syntax_.trailingNumber.high);
        if (syntax_.orderedLow > 0)
            Ordered();
    }

private:
    bool CountFits(std::size_t fixed, std::size_t given) const {
        switch (syntax_.trailing) {
        case TrailingSyntax::None: return given == fixed;
        case TrailingSyntax::Fade:
            return given == fixed || given == fixed + 2 || given == fixed + 3;
        case TrailingSyntax::OptionalNumber: return given == fixed || given == fixed + 1;
        case TrailingSyntax::Anything: return true;
        }
        return false;
    }

    std::string Place(std::size_t position) const {
        return std::string(syntax_.writtenForm) + " の " + std::to_string(position) +
               " 番目の引数 ";
    }

    std::optional<std::int32_t> NumberAt(std::size_t position, std::int64_t low,
                                         std::int64_t high) {
        const std::string& word = words_[position];
        const std::optional<std::int32_t> value = ParseScriptNumber(word);
        if (!value) {
            context_.Error(Place(position) + Word(word) + " が数値ではありません.");
        } else if (*value < low || *value > high) {
            context_.Error(Place(position) + std::to_string(*value) + " が範囲 (" +
                           std::to_string(low) + "～" + std::to_string(high) + ") の外です.");
            return std::nullopt;
        }
        return value;
    }

    void Keyword(std::size_t position, std::initializer_list<std::string_view> allowed,
                 std::string_view what) {
        const std::string upper = sjis::AsciiUpper(words_[position]);
        if (std::find(allowed.begin(), allowed.end(), upper) != allowed.end())
            return;
        std::string list;
        for (std::string_view keyword : allowed)
            list += (list.empty() ? "" : ", ") + std::string(keyword);
        context_.Error(Place(position) + Word(words_[position]) + " は" + std::string(what) +
                       "ではありません (" + list + ").");
    }

    const CNovelCounter* Counter() const {
        const int index = context_.model.Counters.IndexOf(words_[1]);
        return index < 0 ? nullptr : &context_.model.Counters[index];
    }

    void Argument(std::size_t position, const ArgumentSyntax& argument) {
        const std::string& word = words_[position];
        const CNovelModel& model = context_.model;
        switch (argument.kind) {
        case ArgumentKind::File:
            if (word.empty())
                context_.Error(Place(position) + "(ファイル名) が空です.");
            else
                files_.Check(word, "");
            break;
        case ArgumentKind::SoundFile:
            if (word.empty())
                context_.Error(Place(position) + "(ファイル名) が空です.");
            else
                files_.CheckSound(word);
            break;
        case ArgumentKind::CharacterName:
            if (syntax_.writtenForm == ".CharSet" && word.empty())
                context_.Warning(".CharSet のキャラクター名が空です.");
            else if (syntax_.writtenForm == ".CharDelete" && !word.empty() &&
                     !context_.shownCharacters.contains(word))
                context_.Warning("キャラクター " + Word(word) +
                                 " はどの .CharSet でも表示されていません.");
            break;
        case ArgumentKind::CounterName:
            if (!Counter())
                context_.Error("カウンタ " + Word(word) + " がありません.");
            break;
        case ArgumentKind::WindowName:
            if (model.TextWindows.IndexOf(word) < 0)
                context_.Error("テキストウインドウ " + Word(word) + " がありません.");
            break;
        case ArgumentKind::Number: NumberAt(position, argument.low, argument.high); break;
        case ArgumentKind::CounterValue: CounterValue(position); break;
        case ArgumentKind::VerticalPlacement:
            Keyword(position, {"TOP", "MIDDLE", "BOTTOM"}, "縦の配置");
            break;
        case ArgumentKind::HorizontalPlacement:
            Keyword(position, {"LEFT", "CENTER", "RIGHT"}, "横の配置");
            break;
        case ArgumentKind::FontFace:
            Keyword(position, {"GOTHIC", "MINCHO"}, "フォントの種類");
            break;
        }
    }

    void CounterValue(std::size_t position) {
        const std::optional<std::int32_t> value = NumberAt(position, INT32_MIN, INT32_MAX);
        const CNovelCounter* counter = Counter();
        if (!value || !counter)
            return;
        if (*value < counter->MinValue || *value > counter->MaxValue)
            context_.Warning(Place(position) + std::to_string(*value) + " がカウンタ " +
                             Word(counter->Name) + " の範囲 (" + std::to_string(counter->MinValue) +
                             "～" + std::to_string(counter->MaxValue) + ") の外です.");
    }

    void Fade(std::size_t position) {
        const std::string& name = words_[position];
        const int effect = FadeNumberOf(name);
        if (effect == 0) {
            context_.Error(Place(position) + Word(name) + " はフェード効果の名前ではありません.");
            return;
        }
        const int variations = FadeVariationCount(effect);
        NumberAt(position + 1, 1, variations);
        if (position + 2 < words_.size())
            NumberAt(position + 2, 250, 20000);
    }

    void Ordered() {
        const auto low = ParseScriptNumber(words_[std::size_t(syntax_.orderedLow)]);
        const auto high = ParseScriptNumber(words_[std::size_t(syntax_.orderedHigh)]);
        if (low && high && *low > *high)
            context_.Error(std::string(syntax_.writtenForm) + " の下限 " + std::to_string(*low) +
                           " が上限 " + std::to_string(*high) + " より大きくなっています.");
    }

    Context& context_;
    FileReferences& files_;
    const CommandSyntax& syntax_;
    std::vector<std::string> words_;
};

} // namespace

void CheckScriptLine(Context& context, FileReferences& files, std::string_view line) {
    const std::string word = CommandWord(line);
    const CommandSyntax* syntax = FindCommandSyntax(word);
    if (!syntax) {
        std::string message = "未知のコマンド " + Quoted(word) + " です.";
        if (const auto nearest = NearestCommand(word)) {
            if (const CommandSyntax* guess = FindCommandSyntax(*nearest))
                message += " " + std::string(guess->writtenForm) + " の書き間違いではありませんか?";
        }
        context.Error(std::move(message));
        return;
    }
    if (HasUnclosedQuote(line))
        context.Warning("引用符 (\") が閉じていません.");
    LineChecker(context, files, *syntax, CommandArguments(line)).Run();
}

} // namespace check
} // namespace miravo
