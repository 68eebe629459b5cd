#pragma once

#include "runtime/StartScreen.h"

#include <windows.h>

// The player's 640 x 480 window. This first version shows the start screen and closes on
// Escape; the later player draws its scenes here.
namespace miravo::runtime {

class PlayerWindow {
public:
    explicit PlayerWindow(HINSTANCE instance, StartScreen screen);
    ~PlayerWindow();
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    bool Created() const { return window_ != nullptr; }
    // Shows the window and runs its message loop until it is closed; returns the exit code.
    int Run(int showCommand);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HINSTANCE instance_;
    StartScreen screen_;
    HFONT titleFont_ = nullptr;
    HFONT textFont_ = nullptr;
    HWND window_ = nullptr;
};

} // namespace miravo::runtime
