#pragma once

#include <string_view>

namespace miravo {

class IProfileFile;

// Window layout arithmetic and its keys in the settings file, apart from any window: the Win32
// functions of WindowLayoutWin32.h measure the real windows, call these and apply the result.

// A window's position and size, in the coordinates of its parent (the screen for the main window,
// the multiple-document client area for the child windows).
struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// Names that the layout keys start with; the key is the name followed by "Left", "Top", "Width",
// "Height" or "Maximized", without a separator.
inline constexpr std::string_view kMainFormName = "MainForm";
inline constexpr std::string_view kTextFormName = "TextForm";
inline constexpr std::string_view kLinkPanelName = "LinkPanel";
inline constexpr std::string_view kCounterFormName = "CounterForm";
inline constexpr std::string_view kChartFormName = "ChartForm";

// The main window kept inside the virtual screen (the rectangle spanning all monitors): moved
// right if it starts left of the screen, moved left if it ends right of it, the same vertically.
// A window larger than the screen keeps its left and top edges on the screen, so that its title
// bar can still be reached.
WindowBounds ClampToVirtualScreen(const WindowBounds& window, const WindowBounds& virtualScreen);

// What arranging the three child windows measures.
struct ArrangeMetrics {
    int mainClientWidth = 0; // client area of the main window
    int mainClientHeight = 0;
    int toolBarHeight = 0; // 0 when there is none
    int statusBarHeight = 0;
    int textFormWidth = 0;     // kept
    int counterFormHeight = 0; // kept
};

struct ArrangedChildren {
    WindowBounds textForm;    // the item text editor, along the right edge
    WindowBounds counterForm; // the settings window, bottom left
    WindowBounds chartForm;   // the chart, top left
};

// "ウィンドウを整理(&W)": with H = client height - tool bar - status bar - 4, the text editor at
// the right (left = client width - its width - 4, top 0, height H), the settings window below the
// chart (top H - its height) and the chart above it, both as wide as the text editor's left.
// Sizes that would come out negative on a very small main window are 0.
ArrangedChildren ArrangeChildWindows(const ArrangeMetrics& metrics);

// "ウィンドウ位置を初期化(&I)...": client sizes that the reset sets before arranging.
inline constexpr int kResetTextFormClientWidth = 416;
inline constexpr int kResetLinkPanelHeight = 128;
inline constexpr int kResetCounterFormClientHeight = 150;

// The outer size that gives a window the wanted client size, its frame staying as it is.
constexpr int OuterSizeForClient(int outerSize, int clientSize, int wantedClientSize) {
    return outerSize - clientSize + wantedClientSize;
}

// Layout keys of section "WindowLayout".
bool ReadResumeEnabled(const IProfileFile& file); // default true
void WriteResumeEnabled(IProfileFile& file, bool enabled);
bool ReadMaximized(const IProfileFile& file, std::string_view name); // default true
void WriteMaximized(IProfileFile& file, std::string_view name, bool maximized);
// Each key absent or unreadable keeps the current value; a width or height below 1 is not
// taken either (it would make the window vanish).
WindowBounds ReadWindowBounds(const IProfileFile& file, std::string_view name,
                              const WindowBounds& current);
void WriteWindowBounds(IProfileFile& file, std::string_view name, const WindowBounds& bounds);

} // namespace miravo
