#pragma once

#include "editor/script/CommandSink.h"
#include "editor/shell/ViewRegistry.h"
#include "vintara/Win32.h"

#include <functional>
#include <memory>

namespace miravo {

class EditorSession;
class TCommandDialogs;
class TMVSoundEngine;

// Opens the command menu's dialogs for the item text editor. The dialogs are made on first use:
// their sample pictures come from the program's resources, and most sessions open few of them.
class TCommandDialogOpener : public ICommandDialogs {
public:
    // `engine` is asked at each opening: the sound engine is bound after the windows exist.
    TCommandDialogOpener(EditorSession& session, HWND owner,
                         std::function<TMVSoundEngine*()> engine);
    ~TCommandDialogOpener() override;

    bool OpenCommandDialog(CommandDialog dialog, ICommandSink& sink) override;
    // The dialogs themselves (made now if not yet), for the windows that borrow them as choosers.
    TCommandDialogs& Dialogs();

private:
    EditorSession& session_;
    HWND owner_;
    std::function<TMVSoundEngine*()> engine_;
    std::unique_ptr<TCommandDialogs> dialogs_;
    ViewRegistry::Registration registration_;
};

} // namespace miravo
