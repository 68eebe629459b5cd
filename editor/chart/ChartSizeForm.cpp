#include "editor/chart/ChartSizeForm.h"

#include "editor/shell/EditorSession.h"
#include "editor/shell/Resource.h"
#include "novel/NovelData.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <string>

namespace miravo {

TChartSizeForm::TChartSizeForm(EditorSession& session)
    : Dialog(IDD_CHART_SIZE, session.Ui()), session_(session) {}

void TChartSizeForm::OnInit() {
    const CNovelFileHeader& header = session_.Model().Header;
    const int fields[][3] = {{IDC_CHART_WIDTH_UPDOWN, IDC_CHART_WIDTH, header.ChartWidth},
                             {IDC_CHART_HEIGHT_UPDOWN, IDC_CHART_HEIGHT, header.ChartHeight}};
    for (const auto& [upDown, edit, value] : fields) {
        const HWND control = Item(upDown);
        SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(edit)), 0);
        SendMessageW(control, UDM_SETRANGE32, kMinChartSize, INT_MAX);
        SendMessageW(control, UDM_SETPOS32, 0, std::max(value, kMinChartSize));
        UDACCEL step{0, kChartSizeStep};
        SendMessageW(control, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    }
    // The novel's own values are shown as they are, even below the minimum (a file may say so).
    SetItemText(IDC_CHART_WIDTH, std::to_wstring(header.ChartWidth));
    SetItemText(IDC_CHART_HEIGHT, std::to_wstring(header.ChartHeight));
}

bool TChartSizeForm::OnOK() {
    const auto read = [&](int id) {
        const std::wstring text = ItemText(id);
        return ParseChartSize(std::u16string(text.begin(), text.end()));
    };
    const std::optional<int> width = read(IDC_CHART_WIDTH);
    const std::optional<int> height = read(IDC_CHART_HEIGHT);
    if (!width || !height) {
        return Refuse("サイズには 300 以上の整数を入力してください.");
    }
    session_.Chart().SetChartSize(*width, *height);
    return true;
}

} // namespace miravo
