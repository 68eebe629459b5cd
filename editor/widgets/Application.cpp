#include "editor/widgets/Application.h"

#include "editor/widgets/Hint.h"
#include "editor/widgets/MdiWindows.h"

namespace miravo {

void Application::SetMainWindow(HWND frame, HWND mdiClient, HACCEL accelerators) {
    frame_ = frame;
    mdiClient_ = mdiClient;
    accelerators_ = accelerators;
}

void Application::SetHint(const std::wstring& hint) {
    if (hint == hint_) {
        return;
    }
    hint_ = hint;
    if (hintHandler_) {
        hintHandler_(hint_);
    }
}

int Application::Run() {
    MSG message{};
    while (!quit_) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            Idle();
        }
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) {
            quit_ = true;
            exitCode_ = result == 0 ? static_cast<int>(message.wParam) : 1;
            break;
        }
        Dispatch(message);
    }
    return exitCode_;
}

bool Application::ProcessMessages() {
    MSG message{};
    while (!quit_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        Dispatch(message);
    }
    if (!quit_) {
        Idle();
    }
    return !quit_;
}

void Application::Idle() {
    if (idleHandler_) {
        idleHandler_();
    }
}

void Application::Dispatch(MSG& message) {
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
        SetHint(LongHintAt(message.hwnd, message.pt));
    }
    const bool ownWindow =
        frame_ != nullptr && (message.hwnd == frame_ || IsChild(frame_, message.hwnd));
    if (ownWindow) {
        if (mdiClient_ != nullptr && TranslateMDISysAccel(mdiClient_, &message)) {
            return;
        }
        if (accelerators_ != nullptr && TranslateAcceleratorW(frame_, accelerators_, &message)) {
            return;
        }
        if (message.message == WM_KEYDOWN && PreviewKey(message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool Application::PreviewKey(const MSG& message) const {
    if (mdiClient_ == nullptr) {
        return false;
    }
    // Up the real parents (not owners) to the window whose parent is the MDI client: a key for
    // a control of another child window, or for a window outside the frame, reaches no child.
    HWND child = message.hwnd;
    while (child != nullptr) {
        const HWND parent = GetAncestor(child, GA_PARENT);
        if (parent == mdiClient_) {
            break;
        }
        child = parent == GetDesktopWindow() ? nullptr : parent;
    }
    // Every child of the editor's MDI client is one of its MdiChild windows.
    auto* window = dynamic_cast<MdiChild*>(Window::FromHandle(child));
    return window != nullptr && window->PreviewKey(message);
}

} // namespace miravo
