#pragma once

// Command ids of the item text editor: its edit menu (merged into the main menu bar while the
// window is active), its context menu, its tool buttons and its command menu.
namespace miravo {

enum TextFormCommand : int {
    ID_EDIT_UNDO = 3001,
    ID_EDIT_REDO,
    ID_EDIT_CUT,
    ID_EDIT_COPY,
    ID_EDIT_PASTE,
    ID_EDIT_SELECT_ALL,
    ID_EDIT_FIND,
    ID_EDIT_REPLACE,
    ID_EDIT_FIND_NEXT,
    ID_EDIT_FIND_PREVIOUS,

    ID_COMMAND_CLICK_WAIT = 3101,
    ID_COMMAND_NEXT_PAGE,
    ID_COMMAND_CHAR_CLEAR,
    ID_COMMAND_WINDOW_HIDE,
    ID_COMMAND_LINK_WINDOW_DEFAULT,
    ID_COMMAND_BGM_STOP,
    ID_COMMAND_SOUND_STOP,
    ID_COMMAND_MIDI_STOP,
    ID_COMMAND_FONT_DEFAULT,
    // The dialog entries: ID_COMMAND_DIALOG + the CommandDialog value.
    ID_COMMAND_DIALOG = 3200,
};

} // namespace miravo
