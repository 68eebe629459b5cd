#pragma once

#include "editor/shell/UserInteraction.h"
#include "vintara/Win32.h"

#include <functional>

namespace miravo {

// Real message boxes and common dialogs, owned by the window that is active when they open.
class Win32UserInteraction : public IUserInteraction {
public:
    // The owner of the boxes: the main window once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }

    MessageResult ShowMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> AskSaveFile(const FileDialogRequest& request) override;

private:
    HWND Owner() const;
    std::optional<std::filesystem::path> AskFile(const FileDialogRequest& request, bool save);

    HWND owner_ = nullptr;
};

} // namespace miravo
