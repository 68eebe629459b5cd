#pragma once

#include "novel/CommandStrings.h"
#include "novel/NovelData.h"
#include "picture/Raster.h"

#include <cstdint>
#include <string_view>

// What the text window dialog's preview computes, without windows.
namespace miravo {

// The preview animates at one frame per timer tick; the pulse repeats every this many frames.
inline constexpr int kTextPulsePeriod = 25;
// Colour of the pulsing fill, 0x00BBGGRR (red 255, green 0, blue 32), and of the dashed
// outlines (red 255, green 192, blue 192).
inline constexpr std::uint32_t kTextFillColor = 0x002000FF;
inline constexpr std::uint32_t kTextOutlineColor = 0x00C0C0FF;

// Opacity in percent of the fill at `frame`: round((sin(2π frame / 25) * 0.5 + 0.5) * 25 + 5),
// from 5 to 30.
int PulseOpacity(int frame);

// The placement words as the compositor places the picture; a word the dialog has no button for
// places it as the new window's default does (middle, centre).
VerticalPlacement VerticalPlacementOf(std::string_view word);
HorizontalPlacement HorizontalPlacementOf(std::string_view word);

// The sample screen with the window picture at its place: through its alpha when it has one,
// else keyed on its top-left pixel.
CRaster ComposeTextWindowScreen(const CRaster& background, const CPicture* picture,
                                std::string_view vAlign, std::string_view hAlign);

// Lays the pulsing fill of `frame` over the text rectangle (left and top inclusive, right and
// bottom exclusive). A rectangle turned inside out gets no fill.
void FillTextRectangle(CRaster& screen, const CWindowRect& rect, int frame);

} // namespace miravo
