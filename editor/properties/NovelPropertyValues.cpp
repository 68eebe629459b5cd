#include "editor/properties/NovelPropertyValues.h"

#include "novel/ShiftJis.h"
#include "picture/FadeEffects.h"

#include <cmath>
#include <optional>
#include <utility>

namespace miravo {

namespace {

// A radio group's buttons: the header values each stands for (the first is the one it writes),
// and what the field becomes when no button is checked (nothing: it stays).
struct GroupRule {
    std::vector<std::vector<int>> buttonValues;
    std::optional<int> whenNoneChecked;
};

const GroupRule& RuleOf(PropertyGroup group) {
    static const std::array<GroupRule, kPropertyGroupCount> rules{{
        {{{2}, {0}, {1}}, std::nullopt}, // manual, none, auto
        {{{0}, {1}}, 1},                 // Gothic, else Mincho
        {{{0}, {1}}, 1},                 // bordered, else shadowed
        {{{0}, {1}}, 0},                 // window, else full screen
        {{{2, 0}, {1}}, std::nullopt},   // 0 counts as a stop at the menu link
        {{{0}, {1}, {2}}, std::nullopt},
    }};
    return rules[static_cast<int>(group)];
}

void ShowGroup(PropertyGroup group, int headerValue, NovelPropertyValues& values) {
    const GroupRule& rule = RuleOf(group);
    for (int button = 0; button < int(rule.buttonValues.size()); ++button) {
        for (const int value : rule.buttonValues[button]) {
            if (value == headerValue) {
                values.Checked(group) = button;
                return;
            }
        }
    }
}

template <class Field>
void WriteGroup(PropertyGroup group, const NovelPropertyValues& values, Field& field) {
    const GroupRule& rule = RuleOf(group);
    const int button = values.Checked(group);
    if (button >= 0 && button < int(rule.buttonValues.size()))
        field = static_cast<Field>(rule.buttonValues[button].front());
    else if (rule.whenNoneChecked)
        field = static_cast<Field>(*rule.whenNoneChecked);
}

} // namespace

int FindNameIgnoringCase(const std::vector<std::string>& names, std::string_view name) {
    const std::string wanted = sjis::AsciiUpper(name);
    for (int i = 0; i < int(names.size()); ++i) {
        if (sjis::AsciiUpper(names[i]) == wanted)
            return i;
    }
    return kNoButton;
}

std::string CutToCapacity(std::string_view text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t next = length + sjis::CharLength(text, length);
        if (next > capacity)
            break;
        length = next;
    }
    return std::string(text.substr(0, length));
}

void ShowHeader(const CNovelFileHeader& header, std::vector<std::string> itemNames,
                NovelPropertyValues& values) {
    values.title = header.Title;
    values.itemNames = std::move(itemNames);
    values.startItem = FindNameIgnoringCase(values.itemNames, header.StartItem);
    values.messageSpeed = header.MessageSpeed;
    values.fade = {FadeNumberOf(header.FadeName), header.FadeVariation, header.FadeSpeed};
    values.charFade = {FadeNumberOf(header.CharFadeName), header.CharFadeVariation,
                       header.CharFadeSpeed};
    ShowGroup(PropertyGroup::SaveMode, header.SaveMode, values);
    ShowGroup(PropertyGroup::FontKind, header.FontKind, values);
    ShowGroup(PropertyGroup::FontStyle, header.FontStyle, values);
    ShowGroup(PropertyGroup::DisplayMode, header.DisplayMode, values);
    ShowGroup(PropertyGroup::SkipMode, header.SkipMode, values);
    ShowGroup(PropertyGroup::SelectionNumbering, header.SelectionNumbering, values);
    values.fontSize = header.FontSize;
    values.fontAntialias = header.FontAntialias;
    values.normalColor = std::uint32_t(header.NormalColor);
    values.shadowColor = std::uint32_t(header.ShadowColor);
    values.selectColor = std::uint32_t(header.SelectColor);
    values.tipColor = std::uint32_t(header.TipColor);
    values.logoGraphic = header.LogoGraphic;
    values.logoMidi = header.LogoMidi;
    values.logoWave = header.LogoWave;
    values.titleGraphic = header.TitleGraphic;
    values.titleMidi = header.TitleMidi;
    values.titleWave = header.TitleWave;
    values.midiGMReset = header.MidiGMReset;
    values.midiGSReset = header.MidiGSReset;
    values.midiQuickStart = header.MidiQuickStart;
}

void WriteHeader(const NovelPropertyValues& values, CNovelFileHeader& header) {
    const auto cut = [](const std::string& text) {
        return CutToCapacity(text, kShortStringCapacity);
    };
    header.Title = cut(values.title);
    header.StartItem = values.startItem >= 0 && values.startItem < int(values.itemNames.size())
                           ? cut(values.itemNames[values.startItem])
                           : std::string();
    header.MessageSpeed = values.messageSpeed;
    header.FadeName = CutToCapacity(FadeEffectKeyword(values.fade.effect), kFadeNameCapacity);
    header.FadeVariation = values.fade.variation;
    header.FadeSpeed = values.fade.speed;
    header.CharFadeName =
        CutToCapacity(FadeEffectKeyword(values.charFade.effect), kFadeNameCapacity);
    header.CharFadeVariation = values.charFade.variation;
    header.CharFadeSpeed = values.charFade.speed;
    WriteGroup(PropertyGroup::SaveMode, values, header.SaveMode);
    WriteGroup(PropertyGroup::FontKind, values, header.FontKind);
    WriteGroup(PropertyGroup::FontStyle, values, header.FontStyle);
    WriteGroup(PropertyGroup::DisplayMode, values, header.DisplayMode);
    WriteGroup(PropertyGroup::SkipMode, values, header.SkipMode);
    WriteGroup(PropertyGroup::SelectionNumbering, values, header.SelectionNumbering);
    header.FontSize = values.fontSize;
    header.FontAntialias = values.fontAntialias;
    header.NormalColor = std::int32_t(values.normalColor);
    header.ShadowColor = std::int32_t(values.shadowColor);
    header.SelectColor = std::int32_t(values.selectColor);
    header.TipColor = std::int32_t(values.tipColor);
    header.LogoGraphic = cut(values.logoGraphic);
    header.LogoMidi = cut(values.logoMidi);
    header.LogoWave = cut(values.logoWave);
    header.TitleGraphic = cut(values.titleGraphic);
    header.TitleMidi = cut(values.titleMidi);
    header.TitleWave = cut(values.titleWave);
    header.MidiGMReset = values.midiGMReset;
    header.MidiGSReset = values.midiGSReset;
    header.MidiQuickStart = values.midiQuickStart;
}

void ResetMidiOptions(NovelPropertyValues& values) {
    values.midiQuickStart = true;
    values.midiGMReset = false;
    values.midiGSReset = false;
}

WorkingFadeTexts WorkingFadeTextsOf(const WorkingFade& fade) {
    return {std::string(FadeDisplayName(fade.effect)),
            "バリエーション : " + std::to_string(fade.variation),
            "スピード : " + std::to_string(fade.speed) + "ミリ秒"};
}

PreviewFit FitPreview(int pictureWidth, int pictureHeight, int panelWidth, int panelHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    PreviewFit fit;
    fit.width = panelWidth;
    fit.height = int(std::lround(double(pictureHeight) * panelWidth / pictureWidth));
    if (fit.height > panelHeight) {
        fit.height = panelHeight;
        fit.width = int(std::lround(double(pictureWidth) * panelHeight / pictureHeight));
    }
    fit.left = panelWidth / 2 - fit.width / 2;
    fit.top = panelHeight / 2 - fit.height / 2;
    return fit;
}

std::string_view MissingPictureText(std::string_view fieldText) {
    return fieldText.empty() ? "(画像なし)" : "(ファイルが見つかりません)";
}

} // namespace miravo
