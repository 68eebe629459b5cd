#pragma once

#include "editor/chart/ChartSizeValues.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"

namespace miravo {

class EditorSession;

// "チャートサイズ変更": the chart's width and height in numeric edits, at least 300 each, in steps
// of 100, as large as the novel file holds. OK gives the session's chart operations the new size.
class TChartSizeForm : public Dialog {
public:
    explicit TChartSizeForm(EditorSession& session);

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    EditorSession& session_;
    TUDNumeralEdit width_;
    TUDNumeralEdit height_;
};

} // namespace miravo
