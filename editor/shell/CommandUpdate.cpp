#include "editor/shell/CommandUpdate.h"

#include <commctrl.h>

namespace miravo {

void UpdateMenuCommands(HMENU popup, const CommandTable& commands) {
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        if (const HMENU sub = GetSubMenu(popup, i); sub != nullptr) {
            UpdateMenuCommands(sub, commands);
            continue;
        }
        const UINT id = GetMenuItemID(popup, i);
        if (commands.Has(static_cast<int>(id))) {
            EnableMenuItem(popup, id,
                           MF_BYCOMMAND |
                               (commands.IsEnabled(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
        }
    }
}

void UpdateToolButtons(HWND toolBar, const CommandTable& commands) {
    const int count = static_cast<int>(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (!commands.Has(button.idCommand)) {
            continue;
        }
        const bool enabled = commands.IsEnabled(button.idCommand);
        // Only a change is sent: the pass runs whenever the message loop is idle.
        if (enabled != (SendMessageW(toolBar, TB_ISBUTTONENABLED, button.idCommand, 0) != 0)) {
            SendMessageW(toolBar, TB_ENABLEBUTTON, button.idCommand, enabled);
        }
    }
}

HMENU FindPopupWithCommand(HMENU menu, UINT command) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (const HMENU sub = GetSubMenu(menu, i); sub != nullptr) {
            if (const HMENU found = FindPopupWithCommand(sub, command); found != nullptr) {
                return found;
            }
        } else if (GetMenuItemID(menu, i) == command) {
            return menu;
        }
    }
    return nullptr;
}

int FindPopupPosition(HMENU menu, HMENU popup) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetSubMenu(menu, i) == popup) {
            return i;
        }
    }
    return -1;
}

} // namespace miravo
