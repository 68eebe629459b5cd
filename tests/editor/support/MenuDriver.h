#pragma once

#include "vintara/Win32.h"

#include <functional>
#include <string>
#include <vector>

namespace miravo::test {

// Answers the next pop-up menu the thread opens, as a user would, from inside the menu's own
// modal loop (which still hands timer messages out): once the menu is up, `whileOpen` runs (a
// screenshot, say), then the entry that sends `command` is chosen by typing its underlined
// letter. With command 0 the menu is closed choosing nothing. Create the driver before the
// action that opens the menu; the command arrives once that action has returned and the queue
// is pumped.
class PopupMenuDriver {
public:
    explicit PopupMenuDriver(int command, std::function<void()> whileOpen = {});
    ~PopupMenuDriver();
    PopupMenuDriver(const PopupMenuDriver&) = delete;
    PopupMenuDriver& operator=(const PopupMenuDriver&) = delete;

    // Whether a menu came up, and its entries' captions as it showed them (separators empty).
    bool Shown() const { return shown_; }
    const std::vector<std::wstring>& Entries() const { return entries_; }
    // Whether the entry was found and enabled (a grayed entry cannot be chosen).
    bool Chosen() const { return chosen_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Answer(HWND menuWindow);

    int command_;
    std::function<void()> whileOpen_;
    HWND timerWindow_ = nullptr;
    bool shown_ = false;
    bool chosen_ = false;
    std::vector<std::wstring> entries_;
};

} // namespace miravo::test
