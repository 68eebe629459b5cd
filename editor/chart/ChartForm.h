#pragma once

#include "editor/chart/ChartBox.h"
#include "editor/chart/ChartOperations.h"
#include "editor/chart/ChartSizeForm.h"
#include "editor/shell/ToolIcons.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/GradientPanel.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/MdiWindows.h"

#include <filesystem>
#include <memory>

namespace miravo {

class CommandTable;
class EditorSession;
class TMainForm;

// The flow chart window "チャート": the tool bar, the scrolling chart image and its pop-up menu.
class TChartForm : public MdiChild, public IChartView {
public:
    static constexpr int kToolPanelHeight = 30;
    // Commands of the chart that the main window's table does not hold.
    static constexpr int kNewItemCommand = 1101;
    static constexpr int kChartSizeCommand = 1102;
    static constexpr int kMarkFocusCommand = 1103;

    void Create(EditorSession& session, HWND mdiClient, HFONT font);
    // Gives the main window's command table the chart's actions and its tool bar.
    void RegisterCommands(TMainForm& mainForm);

    // IChartView
    void ResizeChart() override;
    void EndMultiSelection() override;
    void DrawChart() override { chart_.Redraw(); }
    ChartPoint ScrollPosition() const override { return chart_.ScrollPosition(); }

    void SaveChartBitmap(const std::filesystem::path& path) const { chart_.SaveBitmap(path); }
    void NewItemButtonClick();
    void DeleteItemButtonClick();
    void ChartSizeChangeButtonClick();
    void MarkSetButtonClick();
    void MarkFocusButtonClick();
    // The window's own keys, whichever of its controls holds the focus (FormKeyDown): Delete
    // deletes, as the button does.
    bool PreviewKey(const MSG& key) override;

    const ToolBar& Tools() const { return tools_; }
    const ToolBar& MarkTools() const { return markTools_; }
    const Label& MarkItemPanel() const { return markItemPanel_; }
    const GradientPanel& ToolPanel() const { return toolPanel_; }
    ChartBox& Chart() { return chart_; }
    const ChartBox& Chart() const { return chart_; }
    HMENU PopupMenu() const { return popupMenu_.Get(); }
    TChartSizeForm& SizeForm() { return *sizeForm_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    void RunCommand(int id);
    void FormResize(WPARAM kind);
    void ShowMarkName();

    EditorSession* session_ = nullptr;
    const CommandTable* commands_ = nullptr;
    ViewRegistry::Registration view_;
    FontHandle nameFont_;
    FontHandle currentNameFont_;
    ImageListHandle toolImages_;
    ImageListHandle markImages_;
    MenuHandle popupMenu_;
    GradientPanel toolPanel_;
    ToolBar tools_;
    Label markItemPanel_;
    ToolBar markTools_;
    ChartBox chart_;
    std::unique_ptr<TChartSizeForm> sizeForm_;
};

} // namespace miravo
