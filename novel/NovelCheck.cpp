#include "novel/NovelCheck.h"

#include "novel/CommandParser.h"
#include "novel/NovelCheckContext.h"
#include "novel/ShiftJis.h"

#include <algorithm>
#include <deque>

namespace miravo {
namespace check {

std::string Quoted(std::string_view shiftJis) {
    std::u16string text = sjis::ToUtf16(shiftJis);
    for (char16_t& unit : text) {
        if (unit >= 0xDC80 && unit <= 0xDCFF)
            unit = u'\uFFFD';
    }
    return "\"" + sjis::Utf16ToUtf8(text) + "\"";
}

Context::Context(const CNovelModel& novel, ICheckedFolder* files) : model(novel), folder(files) {
    for (int i = 0; i < model.Items.Count(); ++i) {
        const std::string& name = model.Items[i].Name;
        ++itemCountByName[name];
        lastItemByName[name] = i;
        for (std::string_view line : model.Items[i].Text) {
            if (!IsCommandLine(line) || sjis::AsciiUpper(CommandWord(line)) != ".CHARSET")
                continue;
            const std::vector<std::string> words = SplitCommandWords(line);
            if (words.size() >= 2)
                shownCharacters.insert(words[1]);
        }
    }
}

void Context::Add(CheckSeverity severity, std::string message) {
    CheckFinding finding{severity, itemIndex_, {}, line_, std::move(message)};
    if (itemIndex_ >= 0)
        finding.itemName = model.Items[itemIndex_].Name;
    findings.push_back(std::move(finding));
}

namespace {

std::string Range(std::int64_t low, std::int64_t high) {
    return std::to_string(low) + "～" + std::to_string(high);
}

void CheckHeaderNumber(Context& context, std::string_view label, std::int64_t value,
                       std::int64_t low, std::int64_t high) {
    if (value < low || value > high)
        context.Error(std::string(label) + " の値 " + std::to_string(value) + " が範囲 (" +
                      Range(low, high) + ") の外です.");
}

void CheckHeaderFade(Context& context, std::string_view label, const std::string& name,
                     std::int32_t speed) {
    if (FadeNumberOf(name) == 0 && sjis::AsciiUpper(name) != "DEFAULT")
        context.Warning(std::string(label) + " " + Quoted(name) +
                        " はフェード効果の名前ではありません (DEFAULT として扱われます).");
    CheckHeaderNumber(context, std::string(label) + "のスピード", speed, 250, 20000);
}

template <typename Table>
void CheckDuplicateNames(Context& context, const Table& table, std::string_view what) {
    std::unordered_map<std::string, int> counts;
    for (int i = 0; i < table.Count(); ++i)
        ++counts[table[i].Name];
    for (int i = 0; i < table.Count(); ++i) {
        const std::string& name = table[i].Name;
        const int count = counts[name];
        if (count > 1 && table.IndexOf(name) == i)
            context.Warning(std::string(what) + " " + Quoted(name) + " が " +
                            std::to_string(count) + " 個あります. 最後のものだけが使われます.");
    }
}

} // namespace

void CheckSettings(Context& context) {
    const CNovelModel& model = context.model;
    const CNovelFileHeader& header = model.Header;
    context.At(-1, 0);
    CheckHeaderNumber(context, "標準の文字速度", header.MessageSpeed, 1, INT32_MAX);
    CheckHeaderFade(context, "標準のフェード効果", header.FadeName, header.FadeSpeed);
    CheckHeaderFade(context, "キャラクタのフェード効果", header.CharFadeName, header.CharFadeSpeed);
    CheckHeaderNumber(context, "フォントのサイズ", header.FontSize, 12, 200);
    CheckHeaderNumber(context, "セーブの設定", header.SaveMode, 0, 2);
    CheckHeaderNumber(context, "標準のフォント", header.FontKind, 0, 1);
    CheckHeaderNumber(context, "文字のスタイル", header.FontStyle, 0, 1);
    CheckHeaderNumber(context, "画面モード", header.DisplayMode, 0, 1);
    CheckHeaderNumber(context, "スキップの設定", header.SkipMode, 0, 2);
    CheckHeaderNumber(context, "選択肢の番号", header.SelectionNumbering, 0, 2);

    CheckDuplicateNames(context, model.Counters, "カウンタ");
    for (int i = 0; i < model.Counters.Count(); ++i) {
        const CNovelCounter& counter = model.Counters[i];
        if (counter.MinValue > counter.MaxValue)
            context.Error("カウンタ " + Quoted(counter.Name) + " の最小値 " +
                          std::to_string(counter.MinValue) + " が最大値 " +
                          std::to_string(counter.MaxValue) + " より大きくなっています.");
        else if (counter.InitialValue < counter.MinValue || counter.InitialValue > counter.MaxValue)
            context.Error("カウンタ " + Quoted(counter.Name) + " の初期値 " +
                          std::to_string(counter.InitialValue) + " が範囲 (" +
                          Range(counter.MinValue, counter.MaxValue) + ") の外です.");
    }

    CheckDuplicateNames(context, model.TextWindows, "テキストウインドウ");
    for (int i = 0; i < model.TextWindows.Count(); ++i) {
        const CTextWindow& window = model.TextWindows[i];
        const std::string name = "テキストウインドウ " + Quoted(window.Name);
        const std::string vertical = sjis::AsciiUpper(window.VAlign);
        const std::string horizontal = sjis::AsciiUpper(window.HAlign);
        if (vertical != "TOP" && vertical != "MIDDLE" && vertical != "BOTTOM")
            context.Error(name + " の縦の位置 " + Quoted(window.VAlign) +
                          " は TOP, MIDDLE, BOTTOM のどれでもありません.");
        if (horizontal != "LEFT" && horizontal != "CENTER" && horizontal != "RIGHT")
            context.Error(name + " の横の位置 " + Quoted(window.HAlign) +
                          " は LEFT, CENTER, RIGHT のどれでもありません.");
        const CWindowRect& rect = window.TextRect;
        if (rect.Left >= rect.Right || rect.Top >= rect.Bottom)
            context.Error(name + " の文字の範囲が空です.");
    }
}

void CheckLinks(Context& context, int itemIndex) {
    const CNovelModel& model = context.model;
    const CNovelItem& item = model.Items[itemIndex];
    context.At(itemIndex, 0);
    std::vector<int> enabledSlots;
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        if (item.Links[std::size_t(slot)].Enabled)
            enabledSlots.push_back(slot + 1);
    }
    if (item.LinkType == kLinkEnding) {
        // A new item's first slot is enabled with no target; only a slot that leads somewhere
        // shows that the author meant a link.
        std::string slots;
        for (int slot : enabledSlots) {
            if (!item.Links[std::size_t(slot - 1)].Target.empty())
                slots += (slots.empty() ? "" : ", ") + std::to_string(slot);
        }
        if (!slots.empty()) {
            context.Warning("エンディングのアイテムですが, リンク " + slots +
                            " が有効になっています (使われません).");
        }
        return;
    }
    if (enabledSlots.empty())
        context.Error(
            std::string(item.LinkType == kLinkAuto ? "自動リンク" : "メニューリンク") +
            "のアイテムに有効なリンクがありません. エンディングでないのに先へ進めません.");
    else if (item.LinkType == kLinkAuto && enabledSlots.size() > 1)
        context.Warning("自動リンクのアイテムに有効なリンクが " +
                        std::to_string(enabledSlots.size()) + " 個あります.");

    for (int slot : enabledSlots) {
        const CNovelLink& link = item.Links[std::size_t(slot - 1)];
        const std::string where = "リンク " + std::to_string(slot) + ": ";
        if (link.Target.empty()) {
            context.Error(where + "リンク先が空です.");
        } else if (auto found = context.itemCountByName.find(link.Target);
                   found == context.itemCountByName.end()) {
            context.Error(where + "リンク先のアイテム " + Quoted(link.Target) + " がありません.");
        } else if (found->second > 1) {
            context.Warning(where + "リンク先の名前 " + Quoted(link.Target) + " のアイテムが " +
                            std::to_string(found->second) +
                            " 個あります. 最後のアイテムにつながります.");
        }
        if (!link.UseCounter)
            continue;
        const int counterIndex = model.Counters.IndexOf(link.CounterName);
        if (link.CounterName.empty()) {
            context.Error(where + "条件のカウンタが指定されていません.");
        } else if (counterIndex < 0) {
            context.Error(where + "条件のカウンタ " + Quoted(link.CounterName) + " がありません.");
        } else {
            const CNovelCounter& counter = model.Counters[counterIndex];
            const std::string condition = "条件 (" + Quoted(link.CounterName) + " が " +
                                          std::to_string(link.Threshold) + " 以上)";
            if (link.Threshold > counter.MaxValue)
                context.Error(where + condition + " はカウンタの範囲 (" +
                              Range(counter.MinValue, counter.MaxValue) + ") では成り立ちません.");
            else if (link.Threshold < counter.MinValue)
                context.Warning(where + condition + " はカウンタの範囲 (" +
                                Range(counter.MinValue, counter.MaxValue) +
                                ") では常に成り立ちます.");
        }
    }
}

void CheckReachability(Context& context) {
    const CNovelModel& model = context.model;
    const int count = model.Items.Count();
    context.At(-1, 0);
    if (count == 0) {
        context.Error("アイテムがありません.");
        return;
    }
    int start = 0;
    const std::string& startName = model.Header.StartItem;
    if (startName.empty()) {
        context.Warning("開始アイテムが指定されていません. 最初のアイテム " +
                        Quoted(model.Items[0].Name) + " から始まります.");
    } else if (auto found = context.lastItemByName.find(startName);
               found != context.lastItemByName.end()) {
        start = found->second;
    } else {
        context.Error("開始アイテム " + Quoted(startName) + " がありません.");
        return;
    }

    // Conditions aside: a conditional link may be taken.
    std::vector<bool> reached(std::size_t(count), false);
    std::deque<int> pending{start};
    reached[std::size_t(start)] = true;
    while (!pending.empty()) {
        const CNovelItem& item = model.Items[pending.front()];
        pending.pop_front();
        if (item.LinkType == kLinkEnding)
            continue;
        for (const CNovelLink& link : item.Links) {
            if (!link.Enabled)
                continue;
            auto target = context.lastItemByName.find(link.Target);
            if (target != context.lastItemByName.end() && !reached[std::size_t(target->second)]) {
                reached[std::size_t(target->second)] = true;
                pending.push_back(target->second);
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        if (!reached[std::size_t(i)]) {
            context.At(i, 0);
            context.Warning("開始アイテムからたどり着けません.");
        }
    }
}

} // namespace check

std::vector<CheckFinding> CheckNovel(const CNovelModel& model, ICheckedFolder* folder) {
    check::Context context(model, folder);
    check::FileReferences files(context);
    check::CheckSettings(context);
    const CNovelFileHeader& header = model.Header;
    const std::pair<const std::string*, const char*> headerFiles[] = {
        {&header.LogoGraphic, "ロゴ画像"},     {&header.LogoMidi, "ロゴのMIDI"},
        {&header.LogoWave, "ロゴの効果音"},    {&header.TitleGraphic, "タイトル画像"},
        {&header.TitleMidi, "タイトルのMIDI"}, {&header.TitleWave, "タイトルの効果音"}};
    for (const auto& [name, what] : headerFiles) {
        if (!name->empty())
            files.Check(*name, what);
    }
    for (int w = 0; w < model.TextWindows.Count(); ++w) {
        const CTextWindow& window = model.TextWindows[w];
        if (!window.GraphicFile.empty())
            files.Check(window.GraphicFile,
                        "テキストウインドウ " + check::Quoted(window.Name) + " の画像");
    }
    for (int i = 0; i < model.Items.Count(); ++i) {
        check::CheckLinks(context, i);
        int number = 0;
        for (std::string_view line : model.Items[i].Text) {
            ++number;
            if (!IsCommandLine(line))
                continue;
            context.At(i, number);
            check::CheckScriptLine(context, files, line);
        }
    }
    check::CheckReachability(context);
    return std::move(context.findings);
}

bool HasErrors(const std::vector<CheckFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const CheckFinding& finding) {
        return finding.severity == CheckSeverity::Error;
    });
}

std::string_view SeverityText(CheckSeverity severity) {
    return severity == CheckSeverity::Error ? "エラー" : "警告";
}

} // namespace miravo
