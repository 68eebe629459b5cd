#include "picture/FadeEffects.h"

#include "novel/NovelData.h"

namespace miravo {
namespace {

constexpr std::array<FadeEffectInfo, kFadeEffectCount> kEffects{{
    {"標準のフェード効果", "", 0},
    {"効果なし", "効果なし (1)", 0},
    {"ブラインド", "ブラインド (2)", 24},
    {"シャッター", "シャッター (4)", 24},
    {"ブレンド", "ブレンド (1)", 255},
    {"パズル", "パズル (1)", 24},
    {"回転シャッター", "回転シャッター (2)", 24},
    {"カメラ", "カメラ (1)", 24},
    {"風", "風 (1)", 24},
    {"クロスライン", "クロスライン (1)", 24},
}};

using VariationRow = std::array<std::string_view, kFadeVariationSlots>;
constexpr std::array<VariationRow, kFadeVariationRows> kVariations{{
    {"なし"},
    {"よこ", "たて"},
    {"左から右 (→)", "右から左 (←)", "上から下 (↓)", "下から上 (↑)"},
    {"ふつう"},
    {"ふつう"},
    {"時計回り", "反時計回り"},
    {"ふつう"},
    {"ふつう"},
    {"ふつう"},
    {"なし"},
}};

} // namespace

const FadeEffectInfo* FadeEffectOf(int type) {
    if (type < 0 || type >= kFadeEffectCount)
        return nullptr;
    return &kEffects[std::size_t(type)];
}

std::string_view FadeDisplayName(int type) {
    const FadeEffectInfo* effect = FadeEffectOf(type);
    return effect ? effect->displayName : kEffects[0].displayName;
}

std::string_view FadeVariationName(int type, int slot) {
    if (type < kFirstFadeType || type > kLastFadeType || slot < 1 || slot > kFadeVariationSlots)
        return {};
    return kVariations[std::size_t(type - 1)][std::size_t(slot - 1)];
}

std::vector<FadeVariationEntry> FadeVariationList(int type) {
    std::vector<FadeVariationEntry> list;
    for (int slot = 1; slot <= kFadeVariationSlots; ++slot) {
        const std::string_view name = FadeVariationName(type, slot);
        if (!name.empty())
            list.push_back({slot, std::to_string(slot) + "." + std::string(name)});
    }
    return list;
}

int FadeEdgeWidth(int type) {
    const FadeEffectInfo* effect = FadeEffectOf(type);
    return effect && type != 0 ? effect->edgeWidth : 24;
}

} // namespace miravo
