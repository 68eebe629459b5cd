#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fade effects a background or a character changes through: their keywords (shared with the
// novel file, see novel/NovelData.h), the names the fade dialog shows and the variations each has.
// The effect number is the position of the keyword; 0 is the standard effect, 1 to 9 the effects
// the type list offers.
namespace miravo {

inline constexpr int kFirstFadeType = 1;
inline constexpr int kLastFadeType = 9;
inline constexpr int kFadeVariationRows = 10;
inline constexpr int kFadeVariationSlots = 8;

// Display texts are UTF-8.
// The keyword of each number is FadeEffectKeyword (novel/NovelData.h); FadeNumberOf looks it up.
struct FadeEffectInfo {
    std::string_view displayName;
    std::string_view typeListEntry; // empty for the standard effect, which has a radio button
    int edgeWidth;                  // softness of the boundary in mask levels
};

// Numbers 0 to 9; nullptr for any other.
const FadeEffectInfo* FadeEffectOf(int type);

// "標準のフェード効果" for 0 and for any number that names no effect.
std::string_view FadeDisplayName(int type);

// The variation name in `slot` (1-based) of effect `type`; empty for an empty slot or a number
// outside the table. Row 0 of the table belongs to effect 1; its tenth row ("なし") is not
// reachable through an effect number.
std::string_view FadeVariationName(int type, int slot);

// The variation list of the fade dialog: each non-empty slot as "<slot>.<name>", in slot order.
struct FadeVariationEntry {
    int slot;
    std::string text;
};
std::vector<FadeVariationEntry> FadeVariationList(int type);

// Edge width of the preview: 0 for NONE, 255 for BLEND, 24 for every other effect. (The
// fade arguments a script carries is novel/CommandStrings.h's FadeArguments.)
int FadeEdgeWidth(int type);

} // namespace miravo
