#include "editor/properties/TextWindowPreview.h"

#include "editor/script/CommandDialogValues.h"
#include "picture/RasterRoutines.h"

#include <cmath>
#include <numbers>

namespace miravo {

int PulseOpacity(int frame) {
    const double phase =
        2.0 * std::numbers::pi * double(frame % kTextPulsePeriod) / double(kTextPulsePeriod);
    return int(std::lround((std::sin(phase) * 0.5 + 0.5) * 25.0 + 5.0));
}

VerticalPlacement VerticalPlacementOf(std::string_view word) {
    if (word == "TOP")
        return VerticalPlacement::Top;
    if (word == "BOTTOM")
        return VerticalPlacement::Bottom;
    return VerticalPlacement::Middle;
}

HorizontalPlacement HorizontalPlacementOf(std::string_view word) {
    if (word == "LEFT")
        return HorizontalPlacement::Left;
    if (word == "RIGHT")
        return HorizontalPlacement::Right;
    return HorizontalPlacement::Center;
}

CRaster ComposeTextWindowScreen(const CRaster& background, const CPicture* picture,
                                std::string_view vAlign, std::string_view hAlign) {
    return ComposeCharacterPreview(background, picture, VerticalPlacementOf(vAlign),
                                   HorizontalPlacementOf(hAlign));
}

void FillTextRectangle(CRaster& screen, const CWindowRect& rect, int frame) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    TranslucentFill(screen, {rect.Left, rect.Top, rect.Right, rect.Bottom}, kTextFillColor,
                    PulseOpacity(frame));
}

} // namespace miravo
