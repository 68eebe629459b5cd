#pragma once

#include "editor/chart/ChartSizeValues.h"
#include "editor/widgets/Dialog.h"

namespace miravo {

class EditorSession;

// "チャートサイズ変更": the chart's width and height, at least 300 each, in steps of 100.
// OK gives the session's chart operations the new size.
class TChartSizeForm : public Dialog {
public:
    explicit TChartSizeForm(EditorSession& session);

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    EditorSession& session_;
};

} // namespace miravo
