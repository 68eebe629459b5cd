#pragma once

#include "editor/shell/ToolIcons.h"

namespace miravo {

// The chart's own image list: its first image is the mark glyph drawn on marked boxes.
ImageListHandle CreateChartMarkImages();

} // namespace miravo
