#pragma once

#include "editor/shell/WindowLayoutWin32.h"

namespace miravo::test {

// A real multiple-document frame shaped like the editor's main window: a tool bar and a status
// bar (plain windows of fixed height), the client window between them with a client edge, three
// document windows and a link panel kept at the bottom of the text editor window.
class LayoutTestWindows {
public:
    static constexpr int kToolBarHeight = 40;
    static constexpr int kStatusBarHeight = 22;

    LayoutTestWindows();
    ~LayoutTestWindows();
    LayoutTestWindows(const LayoutTestWindows&) = delete;
    LayoutTestWindows& operator=(const LayoutTestWindows&) = delete;

    const LayoutWindows& Windows() const { return windows_; }
    // Lets pending messages through, so that what the windows do on their own has happened.
    static void Pump();

private:
    LayoutWindows windows_;
};

} // namespace miravo::test
