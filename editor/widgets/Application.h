#pragma once

#include "vintara/Win32.h"

#include <functional>
#include <string>

namespace miravo {

// The message loop of the user-interface thread: accelerators of the main window, MDI keys, the
// key preview of the child window that holds the focus, and the long hint of whatever is under the
// pointer (sent on to whoever shows it when it changes).
class Application {
public:
    void SetMainWindow(HWND frame, HWND mdiClient, HACCEL accelerators);
    void SetHintHandler(std::function<void(const std::wstring&)> handler) {
        hintHandler_ = std::move(handler);
    }
    // Called whenever the queue has been emptied (the update pass of tool buttons).
    void SetIdleHandler(std::function<void()> handler) { idleHandler_ = std::move(handler); }

    // Runs until WM_QUIT; returns its exit code.
    int Run();
    // Handles the messages already queued; false once WM_QUIT has been taken.
    bool ProcessMessages();
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint);

private:
    void Dispatch(MSG& message);
    // Offers a key to the MDI child window that holds its target; true when it took the key.
    bool PreviewKey(const MSG& message) const;
    void Idle();

    HWND frame_ = nullptr;
    HWND mdiClient_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::function<void(const std::wstring&)> hintHandler_;
    std::function<void()> idleHandler_;
    std::wstring hint_;
    bool quit_ = false;
    int exitCode_ = 0;
};

} // namespace miravo
