#pragma once

#include "editor/widgets/Controls.h"
#include "vintara/Win32.h"

#include <cstdint>
#include <string>

namespace miravo {

class IUserInteraction;

// Window class of the colour swatch, for dialog templates:
//   CONTROL "", IDC_X, "MiravoCuteButton", WS_TABSTOP, x, y, w, h
inline constexpr const wchar_t* kCuteButtonClass = L"MiravoCuteButton";

// Notifications (HIWORD of WM_COMMAND's wParam): BN_CLICKED on a click, Enter, or the release of
// the space bar; CBN_COLORCHANGED after AskColor took a new colour.
inline constexpr WORD CBN_COLORCHANGED = 0x4E11;

enum CuteButtonMessage : UINT {
    CBM_GETCOLOR = WM_USER + 0x50, // returns the colour, 0x00BBGGRR
    CBM_SETCOLOR,                  // wParam: the colour; repaints, no notification
};

struct CuteButtonArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 40;
    int height = 22;
    std::uint32_t color = 0x00FFFFFF;
    std::wstring hint{};
};

// `TCuteButton`: a focusable flat button that paints itself in its colour and acts like a
// button. The dialog answers its BN_CLICKED (and that of a neighbouring "変更" button) with
// AskColor, which opens the colour dialog through the user-interaction interface.
class TCuteButton : public Control {
public:
    void Create(const CuteButtonArgs& args);

    std::uint32_t Color() const;
    void SetColor(std::uint32_t color);
    // The colour dialog, fully open, starting from the swatch's colour; a confirmed colour
    // becomes the swatch's and the parent hears CBN_COLORCHANGED. True when one was confirmed.
    bool AskColor(IUserInteraction& ui);
};

} // namespace miravo
