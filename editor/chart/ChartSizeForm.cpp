#include "editor/chart/ChartSizeForm.h"

#include "editor/shell/EditorSession.h"
#include "editor/shell/Resource.h"
#include "novel/NovelData.h"

#include <utility>

namespace miravo {

TChartSizeForm::TChartSizeForm(EditorSession& session)
    : Dialog(IDD_CHART_SIZE, session.Ui()), session_(session) {}

void TChartSizeForm::OnInit() {
    const CNovelFileHeader& header = session_.Model().Header;
    const std::pair<TUDNumeralEdit*, int> fields[] = {{&width_, IDC_CHART_WIDTH},
                                                      {&height_, IDC_CHART_HEIGHT}};
    for (const auto& [field, id] : fields) {
        field->Attach(Item(id));
        field->SetMaximum(kNumeralHighest);
        field->SetMinimum(kMinChartSize);
        field->SetStep(kChartSizeStep);
    }
    // A value below the minimum (a file may hold one) shows as the minimum it becomes.
    width_.SetValue(header.ChartWidth);
    height_.SetValue(header.ChartHeight);
}

bool TChartSizeForm::OnOK() {
    session_.Chart().SetChartSize(width_.Value(), height_.Value());
    return true;
}

} // namespace miravo
