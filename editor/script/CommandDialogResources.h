#pragma once

// Dialog templates of the command dialogs (CommandDialogs.rc). The templates hold the caption,
// the font and the size; each dialog lays its controls out in pixels when it opens (the numeral
// edits and colour swatches are the editor's own controls, made the same way).
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

#define IDD_COM_WAIT 3020
#define IDD_COM_FADEOUT 3021
#define IDD_COM_COUNTER 3022
#define IDD_COM_CHAR_DELETE 3023
#define IDD_COM_FONT 3024

// Shared by the dialogs that have them.
#define IDC_COM_NUMBER 3030
#define IDC_COM_NUMBER2 3032
#define IDC_COM_COUNTERS 3034
#define IDC_COM_NAME 3035
#define IDC_FONT_FACE 3040
#define IDC_FONT_GOTHIC 3041
#define IDC_FONT_MINCHO 3042
#define IDC_FONT_SIZE 3043
#define IDC_FONT_COLOR 3044
#define IDC_FONT_SWATCH 3045
#define IDC_FONT_COLOR_CHANGE 3046

#define IDD_COM_BACKGRAPH 3050
#define IDD_COM_FILL 3051
#define IDC_COM_FILE 3052
#define IDC_COM_FILES 3053
#define IDC_COM_PREVIEW 3054
#define IDC_FADE_PANEL_NAME 3055
#define IDC_FADE_PANEL_VARIATION 3056
#define IDC_FADE_PANEL_SPEED 3057
#define IDC_FADE_PANEL_CHANGE 3058
#define IDC_FILL_SWATCH 3059
#define IDC_FILL_CHANGE 3060
#define IDC_FILL_OPACITY 3061

#define IDD_COM_SOUND 3070
#define IDD_COM_MIDI 3071
#define IDC_SOUND_PLAY 3072
#define IDC_SOUND_STOP 3073
#define IDC_SOUND_FADE_IN 3074

#define IDD_COM_CHARSET 3080
#define IDD_COM_WINDOWSET 3081
#define IDC_CHAR_TOP 3082
#define IDC_CHAR_MIDDLE 3083
#define IDC_CHAR_BOTTOM 3084
#define IDC_CHAR_LEFT 3085
#define IDC_CHAR_CENTER 3086
#define IDC_CHAR_RIGHT 3087
#define IDC_COM_WINDOWS 3088
