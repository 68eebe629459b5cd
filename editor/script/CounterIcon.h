#pragma once

#include "vintara/Win32.h"

namespace miravo {

inline constexpr int kCounterIconSize = 16;

// The counter picture of the link list and the link dialog's counter rows: a small tally box.
void DrawCounterIcon(HDC dc, int x, int y);

} // namespace miravo
