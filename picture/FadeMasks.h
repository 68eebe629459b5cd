#pragma once

#include "picture/Raster.h"

#include <array>
#include <cstdint>
#include <optional>

// The built-in grey mask pictures of the fade effects, 640 x 480. The blend reads the first byte
// of each pixel: a low level changes early in the transition. They are painted by code, so the
// program carries no mask files.
namespace miravo {

inline constexpr int kFadeMaskWidth = 640;
inline constexpr int kFadeMaskHeight = 480;

enum class FadeMask {
    FadeBlankImage,
    FadeBlindHorzImage,
    FadeBlindVertImage,
    FadeShutterL2RImage,
    FadeShutterR2LImage,
    FadeShutterU2DImage,
    FadeShutterD2UImage,
    FadePuzzleImage,
    FadeRShutterRImage,
    FadeRShutterLImage,
    FadeCameraOpenImage,
    FadeWindL2RImage,
    FadeCrossLineHorzImage,
};
inline constexpr int kFadeMaskCount = 13;

// The shutter curve: round(255 * (t + 3t^2 - 2t^3) / 2), halves away from zero.
int ShutterCurve(double t);

// The mask picture, painted anew (24 bits, grey: all three bytes equal).
CRaster PaintFadeMask(FadeMask mask);

// The mask an effect and variation use; none for the standard effect and any unknown type.
std::optional<FadeMask> PresetFadeMask(int type, int variation);

// The thirteen masks, each painted the first time it is asked for and kept.
class CPresetFadeMasks {
public:
    const CRaster& Get(FadeMask mask);

private:
    std::array<std::optional<CRaster>, kFadeMaskCount> masks_;
};

} // namespace miravo
