#pragma once

#include "editor/widgets/NumeralEdit.h"
#include "vintara/Win32.h"

#include <string>
#include <string_view>

// Controls of the command dialogs, placed in pixels in the dialog's font.
namespace miravo {

HWND AddDialogControl(HWND dialog, const wchar_t* className, std::wstring_view text, int id,
                      DWORD style, int x, int y, int width, int height, DWORD exStyle = 0);
// Makes the client area `width` x `height` pixels.
void SetClientSize(HWND window, int width, int height);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

// The dialog's font, for controls that are made in code.
HFONT DialogFont(HWND dialog);

// Gives a numeral edit exactly the bounds low..high whatever its old ones were (a new minimum
// is otherwise judged by the old maximum); a value outside moves onto the nearer bound.
void SetNumeralBounds(TUDNumeralEdit& field, int low, int high);

} // namespace miravo
