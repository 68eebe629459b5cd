#pragma once

#include "editor/chart/ChartDrag.h"
#include "editor/chart/ChartPainter.h"
#include "editor/chart/ChartStamps.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/Hint.h"
#include "editor/widgets/Window.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace miravo {

class EditorSession;

// The scrolling chart image (`ChartImage` in its scroll box): the chart's picture, the pointer's
// selecting and dragging with XOR feedback, the wheel. Up to kWholePictureLimit pixels each way
// the picture holds the whole chart; a larger chart (only a damaged or foreign file has one) is
// painted a window-sized part at a time, with the same pixels there.
class ChartBox : public Window, public HintSource {
public:
    static constexpr int kScrollStep = 24;
    static constexpr int kWheelSteps = 3;
    static constexpr int kWholePictureLimit = 8192;

    void Create(HWND parent, EditorSession& session, const ChartScene& scene);
    // Takes the novel's chart size, scrolls to the top-left corner and repaints.
    void Resize();
    // Paints the picture again and shows it.
    void Redraw();
    ChartPoint ScrollPosition() const { return {scrollX_, scrollY_}; }
    void ScrollTo(int x, int y);
    bool HoldsWholeChart() const { return whole_; }
    // The whole chart as a 24-bit BMP file (as last painted, when the picture holds it whole).
    void SaveBitmap(const std::filesystem::path& path) const;
    void ShowBorder(bool border);
    // The pop-up menu's owner opens it at a screen point (right click: after the selection).
    std::function<void(POINT screen)> onContextMenu;

    std::wstring HintAt(POINT) const override;
    // The pixel of the visible image at a chart point (tests read what the window shows).
    COLORREF PixelAt(int chartX, int chartY) const;
    DragMode DragState() const { return drag_.Mode(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void RepaintPicture();
    void UpdateScrollBars();
    void Scroll(int bar, int request);
    void Wheel(int delta);
    ChartPoint ChartPointAt(LPARAM lParam) const;
    void ButtonDown(LPARAM lParam, bool left);
    void MouseMove(LPARAM lParam);
    void ButtonUp(LPARAM lParam, WPARAM keys);
    // Draws the drag's figure in XOR on the visible image; drawn twice it is gone.
    void XorFeedback(const ChartDrag& drag);
    void CreatePicture(int width, int height);

    EditorSession* session_ = nullptr;
    ChartScene scene_;
    std::unique_ptr<ChartStamps> stamps_;
    ChartDrag drag_;
    bool feedbackShown_ = false;
    BitmapHandle picture_;
    void* pixels_ = nullptr;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    POINT pictureOrigin_{}; // chart point at the picture's top-left
    bool whole_ = true;
    int chartWidth_ = 0;
    int chartHeight_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

} // namespace miravo
