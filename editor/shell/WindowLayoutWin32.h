#pragma once

#include "editor/shell/WindowLayout.h"
#include "vintara/Win32.h"

namespace miravo {

class IProfileFile;
class IUserInteraction;

// The windows whose layout the editor remembers and arranges. The main window is a
// multiple-document frame whose client window (with a client edge) fills the space between the
// tool bar and the status bar; the three child windows are its document windows; the link panel
// is a child of the text editor window. A window that is null is left out.
struct LayoutWindows {
    HWND mainForm = nullptr;
    HWND mdiClient = nullptr;
    HWND toolBar = nullptr;   // measured for its height; hidden or null counts as 0
    HWND statusBar = nullptr; // likewise
    HWND textForm = nullptr;
    HWND linkPanel = nullptr; // after it is resized its parent gets WM_SIZE to lay out again
    HWND counterForm = nullptr;
    HWND chartForm = nullptr;
};

// ArrangeWindowMenuClick: minimized icons arranged, then the text editor, settings and chart
// windows restored to normal and placed (ArrangeChildWindows).
void ArrangeWindows(const LayoutWindows& windows);

// ResetWindowLayoutMenuClick's question; true for Yes.
bool AskResetWindowLayout(IUserInteraction& ui);
// The reset after Yes: main window maximized, text editor client width 416, link panel height
// 128, settings window client height 150, then ArrangeWindows.
void ResetWindowLayout(const LayoutWindows& windows);

// The layout at start, after the recent files are read; returns "ResumeEnabled" for the menu
// check "終了時にウィンドウ位置を記憶(&S)". On: the main window's saved bounds kept inside the
// virtual screen, maximized when saved so, the children arranged and then their saved bounds
// applied. Off: maximized and arranged.
bool RestoreWindowLayout(const IProfileFile& file, const LayoutWindows& windows);

// The layout at exit: "ResumeEnabled", and when it is on the main window's maximized state and
// the normal bounds (of its placement: never a minimized or maximized rectangle) of the main
// window, text editor, link panel, settings and chart windows. The windows are left as they are.
// Raises FileWriteError when the file cannot be written.
void SaveWindowLayout(IProfileFile& file, const LayoutWindows& windows, bool resumeEnabled);

// A window's bounds in its parent's client coordinates (the screen for a top-level window).
WindowBounds GetWindowBounds(HWND window);
void SetWindowBounds(HWND window, const WindowBounds& bounds);

} // namespace miravo
