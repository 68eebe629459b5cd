#pragma once

#include "novel/NovelData.h"

#include <string_view>
#include <variant>

// The header's fields in the JSON form, in model order: the one list that writing and reading
// the JSON form share.
namespace miravo::novel_json {

struct ShortText {
    std::string CNovelFileHeader::*member;
    std::size_t capacity;
};
using HeaderMember = std::variant<ShortText, std::int32_t CNovelFileHeader::*,
                                  std::uint8_t CNovelFileHeader::*, bool CNovelFileHeader::*>;
struct HeaderField {
    std::string_view name;
    HeaderMember member;
};

using H = CNovelFileHeader;
inline const HeaderField kHeaderFields[] = {
    {"Magic", ShortText{&H::Magic, kMagicCapacity}},
    {"Version", &H::Version},
    {"ChartWidth", &H::ChartWidth},
    {"ChartHeight", &H::ChartHeight},
    {"StartItem", ShortText{&H::StartItem, kShortStringCapacity}},
    {"LogoGraphic", ShortText{&H::LogoGraphic, kShortStringCapacity}},
    {"TitleGraphic", ShortText{&H::TitleGraphic, kShortStringCapacity}},
    {"TitleMidi", ShortText{&H::TitleMidi, kShortStringCapacity}},
    {"TitleWave", ShortText{&H::TitleWave, kShortStringCapacity}},
    {"ReservedString", ShortText{&H::ReservedString, kShortStringCapacity}},
    {"ReservedInt", &H::ReservedInt},
    {"ReservedByte", &H::ReservedByte},
    {"Title", ShortText{&H::Title, kShortStringCapacity}},
    {"LogoMidi", ShortText{&H::LogoMidi, kShortStringCapacity}},
    {"LogoWave", ShortText{&H::LogoWave, kShortStringCapacity}},
    {"MessageSpeed", &H::MessageSpeed},
    {"LegacyFadeNumber", &H::LegacyFadeNumber},
    {"FadeVariation", &H::FadeVariation},
    {"FadeSpeed", &H::FadeSpeed},
    {"SaveMode", &H::SaveMode},
    {"ReservedByte2", &H::ReservedByte2},
    {"FontKind", &H::FontKind},
    {"FontSize", &H::FontSize},
    {"FontStyle", &H::FontStyle},
    {"FontAntialias", &H::FontAntialias},
    {"NormalColor", &H::NormalColor},
    {"ShadowColor", &H::ShadowColor},
    {"SelectColor", &H::SelectColor},
    {"TipColor", &H::TipColor},
    {"FadeName", ShortText{&H::FadeName, kFadeNameCapacity}},
    {"CharFadeName", ShortText{&H::CharFadeName, kFadeNameCapacity}},
    {"CharFadeVariation", &H::CharFadeVariation},
    {"CharFadeSpeed", &H::CharFadeSpeed},
    {"DisplayMode", &H::DisplayMode},
    {"ReservedByte3", &H::ReservedByte3},
    {"ReservedByte4", &H::ReservedByte4},
    {"MidiQuickStart", &H::MidiQuickStart},
    {"MidiGMReset", &H::MidiGMReset},
    {"MidiGSReset", &H::MidiGSReset},
    {"SkipMode", &H::SkipMode},
    {"UsesMp3", &H::UsesMp3},
    {"SelectionNumbering", &H::SelectionNumbering},
};

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace miravo::novel_json
