#include "editor/chart/ChartOperations.h"

#include "editor/shell/EditorSession.h"
#include "novel/NovelData.h"
#include "novel/SjisString.h"

#include <string>

namespace miravo {

int ChartOperations::NewItem() {
    CNovelModel& model = session_.Model();
    EditorState& state = session_.State();
    CNovelItem& item = model.Items.Add();
    const int index = model.Items.Count() - 1;
    ++state.newNames.item;
    item.Name = SjisString::FromUtf8("新規アイテム" + std::to_string(state.newNames.item)).Bytes();
    // Parked off the chart, so that the search does not find the new box itself.
    item.X = -kItemBoxWidth;
    item.Y = -kItemBoxHeight;
    const IChartView* chart = session_.Views().First<IChartView>();
    const ChartPoint scroll = chart != nullptr ? chart->ScrollPosition() : ChartPoint{};
    const ChartPoint place = ClampToChart(FindFreePlace(model.Items, scroll),
                                          model.Header.ChartWidth, model.Header.ChartHeight);
    item.X = static_cast<std::int32_t>(place.x);
    item.Y = static_cast<std::int32_t>(place.y);
    SelectItem(index);
    session_.SetModified();
    return index;
}

void ChartOperations::SelectItem(int index) {
    EditorState& state = session_.State();
    if (index == state.currentItem) {
        return;
    }
    ViewRegistry& views = session_.Views();
    // After a new or opened novel the old current index may lie past the list: nothing to store.
    if (state.currentItem >= 0 && state.currentItem < session_.Model().Items.Count()) {
        views.Notify(&ICurrentItemView::StoreToItem);
    }
    state.currentItem = index;
    views.Notify(&IChartView::DrawChart);
    views.Notify(&ICurrentItemView::ChangeText);
}

} // namespace miravo
