#include "editor/widgets/CustomControl.h"

#include <commctrl.h>

namespace miravo {

void RegisterNumeralEditClass();
void RegisterCuteButtonClass();
void RegisterHeaderListClass();

void RegisterEditorControls() {
    // Once per process; the classes stay registered until it ends.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX common{sizeof common,
                                    ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&common);
        RegisterNumeralEditClass();
        RegisterCuteButtonClass();
        RegisterHeaderListClass();
        return true;
    }();
    (void)registered;
}

} // namespace miravo
