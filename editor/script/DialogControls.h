#pragma once

#include "vintara/Win32.h"

#include <string>
#include <string_view>
#include <vector>

// Controls of the command dialogs, placed in pixels in the dialog's font.
namespace miravo {

HWND AddDialogControl(HWND dialog, const wchar_t* className, std::wstring_view text, int id,
                      DWORD style, int x, int y, int width, int height, DWORD exStyle = 0);
// Makes the client area `width` x `height` pixels.
void SetClientSize(HWND window, int width, int height);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

// A number field: an edit box with an up-down control. Its value is forced into its bounds on
// every commit (leaving the field, a button step, or the program setting it).
class NumberField {
public:
    void Create(HWND dialog, int editId, int upDownId, int x, int y, int width, int height);
    void SetBounds(int low, int high, int step);
    int Low() const { return low_; }
    int High() const { return high_; }
    // Sets and shows the value, forced into the bounds.
    void SetValue(int value);
    int Value() const { return value_; }
    // Reads the edit box, forces the value into the bounds and shows it; true when it changed.
    bool Commit();
    void Enable(bool enabled);
    HWND Edit() const { return edit_; }

private:
    HWND edit_ = nullptr;
    HWND upDown_ = nullptr;
    int low_ = -2147483647;
    int high_ = 2147483647;
    int step_ = 1;
    int value_ = 0;
};

} // namespace miravo
