#include "editor/shell/EditorSession.h"

namespace miravo {

EditorSession::EditorSession(CNovelModel& model, IUserInteraction& ui) : model_(model), ui_(ui) {}

void EditorSession::SetModified() {
    state_.modified = true;
    views_.Notify(&ITitleView::UpdateTitle);
}

void EditorSession::ClearModified() {
    state_.modified = false;
    views_.Notify(&ITitleView::UpdateTitle);
}

} // namespace miravo
