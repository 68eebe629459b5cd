#pragma once

#include "editor/shell/UserInteraction.h"
#include "novel/SjisString.h"

namespace miravo {

// The question before a counter or a text window is deleted: true when the author confirms.
inline bool ConfirmDeletion(IUserInteraction& ui, const char* kind, const SjisString& name) {
    return ui.ShowMessage({.text = UiText(kind) + " \"" + name + "\" を削除してもよろしいですか？",
                           .caption = "削除の確認",
                           .buttons = MessageButtons::OkCancel,
                           .icon = MessageIcon::Question}) != MessageResult::Cancel;
}

} // namespace miravo
