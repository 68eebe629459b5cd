#include "picture/FadeEffector.h"

#include <algorithm>
#include <chrono>

namespace miravo {

MillisecondClock SteadyMillisecondClock() {
    return [] {
        return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
    };
}

TFadeEffector::TFadeEffector(MillisecondClock clock) : clock_(std::move(clock)) {
    start_ = clock_();
}

void TFadeEffector::SetEdgeWidth(int edge) { edge_ = std::clamp(edge, 0, 255); }

void TFadeEffector::SetMask(const CRaster& picture) {
    mask_ = picture; // rasters are always 24-bit here
    hasMask_ = true;
    Prepare();
    Restart();
}

void TFadeEffector::ClearMask() {
    mask_ = CRaster();
    hasMask_ = false;
    prepared_ = false;
}

void TFadeEffector::Restart() { start_ = clock_(); }

void TFadeEffector::Prepare() {
    prepared_ = false;
    if (!hasMask_ || !from_ || !to_)
        return;
    DibAlphaMaskInit(buffers_, *to_, *from_, mask_);
    prepared_ = true;
}

bool TFadeEffector::Step() {
    if (!prepared_ || !destination_)
        return false;
    const std::int64_t elapsed = clock_() - start_;
    const std::int64_t p = elapsed * 100 / std::max(duration_, 1);
    DibAlphaMaskBlendOptimal(buffers_, edge_, int(std::clamp<std::int64_t>(p, 0, 100)),
                             *destination_);
    return p > 100;
}

} // namespace miravo

#include "novel/NovelData.h"
#include "picture/FadeEffects.h"
#include "picture/FadeMasks.h"

namespace miravo {

bool ShowPreview(TFadeEffector& effector, CPresetFadeMasks& masks, int type, int variation,
                 int speed, std::string_view defaultName) {
    if (type < 1)
        type = FadeNumberOf(defaultName);
    effector.SetEdgeWidth(FadeEdgeWidth(type));
    effector.SetDuration(speed);
    const std::optional<FadeMask> mask = PresetFadeMask(type, variation);
    if (!mask) {
        effector.ClearMask();
        return false;
    }
    effector.SetMask(masks.Get(*mask));
    return true;
}

} // namespace miravo
