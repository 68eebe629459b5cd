#pragma once

#include "tools/samplegen/Raster.h"

// The pictures of the sample novel: backgrounds of the 640 x 480 screen, characters and text
// windows with transparency, the logo and the title screen.
namespace miravo::samplegen {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;

Image PaintCorridor(); // afternoon light in a school corridor
Image PaintLibrary();  // shelves of books, a window
Image PaintSunset();   // roofs against an evening sky
Image PaintNight();    // stars over the town
Image PaintTitle();    // the title screen: an open book under falling leaves

// A girl in a school uniform on a transparent background; smiling or calm.
Image PaintHaru(bool smiling);
// Translucent windows for text: the message window and the diary page.
Image PaintMessageWindow();
Image PaintDiaryWindow();
// The logo on a transparent background.
Image PaintLogo();

} // namespace miravo::samplegen
