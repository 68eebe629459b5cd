#pragma once

#include "editor/chart/ChartGeometry.h"
#include "editor/chart/ChartOperations.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/MdiWindows.h"

#include <filesystem>

namespace miravo {

class EditorSession;

// The scrolling chart canvas: an off-screen picture of the whole chart, copied into view.
class ChartBox : public Window {
public:
    static constexpr int kScrollStep = 24;

    void Create(HWND parent);
    void Resize(int width, int height);
    // Paints the whole picture again and shows it.
    void Redraw();
    ChartPoint ScrollPosition() const { return {scrollX_, scrollY_}; }
    void SaveBitmap(const std::filesystem::path& path) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void UpdateScrollBars();
    void Scroll(int bar, int request, int thumb);

    BitmapHandle picture_;
    void* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

// The flow chart window "チャート".
class TChartForm : public MdiChild, public IChartView {
public:
    void Create(EditorSession& session, HWND mdiClient, HFONT font);

    // IChartView
    void ResizeChart() override;
    void EndMultiSelection() override {}
    void DrawChart() override { chart_.Redraw(); }
    ChartPoint ScrollPosition() const override { return chart_.ScrollPosition(); }

    void SaveChartBitmap(const std::filesystem::path& path) const { chart_.SaveBitmap(path); }
    void NewItemButtonClick();

    const Button& NewItemButton() const { return newItemButton_; }
    const ChartBox& Chart() const { return chart_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    static constexpr int kToolPanelHeight = 30;

    EditorSession* session_ = nullptr;
    ViewRegistry::Registration view_;
    Button newItemButton_;
    ChartBox chart_;
};

} // namespace miravo
