#pragma once

#include "editor/shell/ToolIcons.h"

namespace miravo {

// The chart tool bar's pictures, drawn here so that the program needs no image files.
enum ChartToolImage {
    kNewItemImage,
    kDeleteItemImage,
    kChartSizeImage,
    kMarkImage,
    kMarkFocusImage
};
ImageListHandle CreateChartToolImages();
// The chart's own image list: its first image is the mark glyph drawn on marked boxes.
ImageListHandle CreateChartMarkImages();

} // namespace miravo
