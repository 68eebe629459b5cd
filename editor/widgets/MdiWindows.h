#pragma once

#include "editor/widgets/Window.h"

namespace miravo {

// The frame of a multiple-document interface: its client area holds the MDI client window, and
// unhandled messages go to DefFrameProc.
class MdiFrame : public Window {
public:
    HWND MdiClient() const { return mdiClient_; }

protected:
    // Creates the MDI client inside the frame; the frame lays it out itself.
    void CreateMdiClient();
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND mdiClient_ = nullptr;
};

struct MdiChildArgs {
    const wchar_t* className = nullptr;
    std::wstring caption{};
    HWND mdiClient = nullptr;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
};

// A child window of the frame. It lives as long as the editor: closing it only minimizes it.
class MdiChild : public Window {
public:
    // A key meant for this window or any control inside it, offered before the control gets
    // it (the message loop asks); true when the window took it and the control must not.
    virtual bool PreviewKey(const MSG& /*key*/) { return false; }

protected:
    void CreateChild(const MdiChildArgs& args);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The area left for the window's own layout; called on every size change.
    virtual void LayoutChildren(int width, int height) = 0;
};

} // namespace miravo
