#pragma once

#include "editor/widgets/PictureImages.h"
#include "vintara/Win32.h"

namespace miravo {

// The built-in pictures that mark counters and text windows in the lists of the link panel, the
// link dialog and the command dialogs, in this order in the image list.
enum ListIcon { kCounterListIcon = 0, kTextWindowListIcon = 1 };
inline constexpr int kListIconSize = 16;

// The image list of the two pictures, from the program's resources. Empty when the program
// carries no built-in pictures: the rows are then drawn without their icon.
ImageListHandle CreateListIcons();

// Draws icon `icon` of `icons` with its top-left corner at (x, y); nothing without a list.
void DrawListIcon(HDC dc, HIMAGELIST icons, ListIcon icon, int x, int y);

} // namespace miravo
