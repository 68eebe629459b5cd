#pragma once

// Dialog templates of the command dialogs (CommandDialogs.rc). The templates hold the caption,
// the font and the size; each dialog lays its controls out in pixels when it opens.
#define IDD_COM_FADE 3000

// Fade dialog.
#define IDC_FADE_STANDARD 3001
#define IDC_FADE_SPECIFY 3002
#define IDC_FADE_PREVIEW 3003
#define IDC_FADE_TYPES 3004
#define IDC_FADE_VARIATIONS 3005
#define IDC_FADE_STANDARD_SPEED 3006
#define IDC_FADE_SPECIFY_SPEED 3007
#define IDC_FADE_SPEED 3008
#define IDC_FADE_SPEED_UPDOWN 3009
