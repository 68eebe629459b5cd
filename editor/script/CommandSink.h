#pragma once

#include "editor/script/CommandDialogValues.h"

#include <string_view>

// How the command dialogs meet the item text editor: a dialog writes its command lines into a
// sink, and the editor opens dialogs through a registered opener (no dialog depends on the
// editor's window, nor the window on any dialog).
namespace miravo {

// Receives the command lines a confirmed dialog writes, one call per line, in order. Lines are
// Shift-JIS without a line break; the item text editor's sink is its CommandOut.
class ICommandSink {
public:
    virtual ~ICommandSink() = default;
    virtual void CommandOut(std::string_view line) = 0;
};

// Registered in the view registry by whatever creates the command dialogs. Shows the dialog
// modally; on OK the dialog writes its lines into `sink`. Returns whether it was confirmed.
class ICommandDialogs {
public:
    virtual ~ICommandDialogs() = default;
    virtual bool OpenCommandDialog(CommandDialog dialog, ICommandSink& sink) = 0;
};

} // namespace miravo
