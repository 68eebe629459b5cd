#pragma once

#include "editor/shell/UserInteraction.h"
#include "vintara/Win32.h"

#include <array>

namespace miravo {

// Real message boxes and common dialogs, owned by the window that is active when they open.
class Win32UserInteraction : public IUserInteraction {
public:
    // The owner of the boxes: the main window once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }

    MessageResult ShowMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> AskSaveFile(const FileDialogRequest& request) override;
    std::optional<std::uint32_t> AskColor(std::uint32_t initial) override;
    ReplaceAnswer AskReplace(const ReplaceQuestion& question) override;

private:
    HWND Owner() const;
    std::optional<std::filesystem::path> AskFile(const FileDialogRequest& request, bool save);

    HWND owner_ = nullptr;
    // The colour dialog's sixteen custom colours, kept for the run.
    std::array<COLORREF, 16> customColors_{};
};

} // namespace miravo
