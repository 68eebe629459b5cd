#include "editor/script/FadeFormValues.h"

#include "novel/NovelData.h"
#include "picture/FadeEffects.h"

#include <algorithm>

namespace miravo {

FadeFormResult FadeResultOf(const FadeFormValues& values) {
    FadeFormResult result;
    result.choice.effect = values.standardEffect ? 0 : values.typeRow + 1;
    result.choice.variation = values.variationRow + 1;
    result.choice.speed = values.standardSpeed ? -1 : values.speed;
    result.fadeArguments = FadeArguments(result.choice);
    return result;
}

void PresetFadeValues(FadeFormValues& values, int type, int variation, int speed) {
    if (type >= 1) {
        values.standardEffect = false;
        values.typeRow = type - 1;
    } else {
        values.standardEffect = true;
    }
    values.variationRow = std::max(variation - 1, 0);
    if (speed < 0) {
        values.standardSpeed = true;
    } else {
        values.standardSpeed = false;
        values.speed = ClampFadeSpeed(speed);
    }
}

FadeChoice PreviewChoiceOf(const FadeFormValues& values, const NovelFadeDefault& novel) {
    if (values.standardEffect)
        return {FadeNumberOf(novel.name), novel.variation, novel.speed};
    return {values.typeRow + 1, values.variationRow + 1,
            values.standardSpeed ? novel.speed : values.speed};
}

int ClampFadeSpeed(int speed) { return std::clamp(speed, kFadeSpeedMin, kFadeSpeedMax); }

FadePanelTexts FadePanelTextsOf(const FadeChoice& choice) {
    FadePanelTexts texts;
    texts.name = std::string(FadeDisplayName(choice.effect));
    if (choice.effect >= kFirstFadeType && choice.effect <= kLastFadeType) {
        texts.variation = "バリエーション " + std::to_string(choice.variation);
        texts.speed = choice.speed < 0 ? "標準のスピード"
                                       : "スピード " + std::to_string(choice.speed) + "ミリ秒";
    }
    return texts;
}

} // namespace miravo
