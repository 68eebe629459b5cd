#pragma once

#include "novel/CommandStrings.h"

#include <string>
#include <string_view>

// The state of the fade dialog "フェード効果" and what it hands back, without windows.
namespace miravo {

inline constexpr int kFadeSpeedMin = 250;
inline constexpr int kFadeSpeedMax = 20000;
inline constexpr int kFadeSpeedStep = 250;
// The row "ブレンド (1)" chosen on the first opening.
inline constexpr int kFirstOpeningTypeRow = 3;

struct FadeFormValues {
    bool standardEffect = true; // "標準のフェード効果(&D)"; otherwise "指定する(&A)"
    int typeRow = -1;           // row of the type list (effect - 1); -1 before the first opening
    int variationRow = 0;
    bool standardSpeed = true; // "標準のスピード(&S)"; otherwise "指定する(&M)"
    int speed = 750;
};

// The novel's default fade (header FadeName, FadeVariation, FadeSpeed).
struct NovelFadeDefault {
    std::string name = "BLEND";
    int variation = 0;
    int speed = 500;
};

// Outputs after OK: type 0 for the standard effect, else row + 1; variation row + 1; speed -1 for
// the standard speed; the fade arguments as the script writes them.
struct FadeFormResult {
    FadeChoice choice;
    std::string fadeArguments;
};
FadeFormResult FadeResultOf(const FadeFormValues& values);

// `Preset(type, variation, speed)`: type 0 chooses the standard effect; speed below 0 the
// standard speed. The variation is 1-based.
void PresetFadeValues(FadeFormValues& values, int type, int variation, int speed);

// What the preview shows for the values: the novel's default for the standard effect, otherwise
// the chosen row with the chosen or the default speed.
FadeChoice PreviewChoiceOf(const FadeFormValues& values, const NovelFadeDefault& novel);

// The speed field's commit: into 250..20000.
int ClampFadeSpeed(int speed);

// The fade panel of the graphic and fill dialogs: the effect's name, and for an effect other than
// the standard one "バリエーション <n>" and "標準のスピード" or "スピード <n>ミリ秒" (UTF-8).
struct FadePanelTexts {
    std::string name;
    std::string variation;
    std::string speed;
};
FadePanelTexts FadePanelTextsOf(const FadeChoice& choice);

} // namespace miravo
