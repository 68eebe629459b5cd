#pragma once

#include "editor/widgets/Controls.h"
#include "editor/widgets/NumeralRules.h"
#include "vintara/Win32.h"

#include <string>

namespace miravo {

// Window class of the numeric edit, for dialog templates:
//   CONTROL "", IDC_X, "MiravoNumeralEdit", WS_TABSTOP | NES_RIGHT, x, y, w, h
// The template's text, when it is a number, is the first value.
inline constexpr const wchar_t* kNumeralEditClass = L"MiravoNumeralEdit";
inline constexpr DWORD NES_RIGHT = 0x0001; // digits right-aligned

// Notification (HIWORD of WM_COMMAND's wParam) after every commit: leaving the field, a button
// or arrow-key step, a paste or text set from outside (WM_SETTEXT), and SetValue.
inline constexpr WORD NEN_DECIDED = 0x4E01;

// The control's messages; the wrapper below sends them, tests may too.
enum NumeralEditMessage : UINT {
    NEM_GETVALUE = WM_USER + 0x40, // returns the value (commits typed text first)
    NEM_SETVALUE,                  // wParam: value; clamps, shows, notifies
    NEM_GETMINIMUM,
    NEM_SETMINIMUM, // wParam: value; above the maximum it takes the maximum
    NEM_GETMAXIMUM,
    NEM_SETMAXIMUM, // wParam: value; below the minimum it takes the minimum
    NEM_GETSTEP,
    NEM_SETSTEP,   // wParam: the buttons' increment (at least 1)
    NEM_GETEDIT,   // returns the inner edit's handle
    NEM_GETUPDOWN, // returns the up-down buttons' handle
};

struct NumeralEditArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 80;
    int height = 22;
    int minimum = kNumeralLowest;
    int maximum = kNumeralHighest;
    int step = 1;
    int value = 0;
    bool rightAligned = true;
    HFONT font = nullptr;
    std::wstring hint{}; // "short|long"
};

// `TUDNumeralEdit`: an integer edit with up and down buttons, a lower and an upper bound and a
// step. The value is forced into the bounds at every commit, and each commit tells the parent
// NEN_DECIDED. Typing refuses anything but digits and a leading minus; a paste is cleaned to its
// digits or refused. Changing a bound moves a value outside it onto the bound, silently (a bound
// is the program's decision, not the user's). Disabled, the field shows the button face.
class TUDNumeralEdit : public Control {
public:
    void Create(const NumeralEditArgs& args);

    int Value() const;
    void SetValue(int value);
    int Minimum() const;
    void SetMinimum(int value);
    int Maximum() const;
    void SetMaximum(int value);
    int Step() const;
    void SetStep(int step);
    HWND EditHandle() const;
    HWND UpDownHandle() const;
};

} // namespace miravo
