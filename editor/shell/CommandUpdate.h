#pragma once

#include "editor/shell/CommandTable.h"
#include "vintara/Win32.h"

namespace miravo {

// The update pass on real menus and tool bars: every item or button whose id the table knows is
// enabled or greyed by the table; others (the recent files) are left as they are. Submenus are
// updated with their menu.
// Menus are walked by their own items' ids, so a maximized child's system menu in the menu bar
// shifts nothing.
void UpdateMenuCommands(HMENU popup, const CommandTable& commands);
void UpdateToolButtons(HWND toolBar, const CommandTable& commands);

// The popup of `menu` (searched through its submenus) that holds the command, or null.
HMENU FindPopupWithCommand(HMENU menu, UINT command);
// The position of a popup in a menu, found by its handle; -1 when it is not there.
int FindPopupPosition(HMENU menu, HMENU popup);

} // namespace miravo
