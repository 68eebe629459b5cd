#include "editor/chart/ChartOperations.h"

#include "editor/shell/EditorSession.h"
#include "editor/shell/UserInteraction.h"
#include "novel/NovelData.h"
#include "novel/SjisString.h"

#include <algorithm>
#include <functional>
#include <string>

namespace miravo {

namespace {
constexpr const char* kDeleteAllRefused = "すべてのアイテムを削除することは出来ません。";

ChartPoint PositionOf(const CNovelItem& item) { return {item.X, item.Y}; }
void Place(CNovelItem& item, ChartPoint position) {
    item.X = static_cast<std::int32_t>(position.x);
    item.Y = static_cast<std::int32_t>(position.y);
}
} // namespace

bool ChartSelection::Holds(int index) const {
    return std::find(items.begin(), items.end(), index) != items.end();
}

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
    Place(item, ClampToChart(FindFreePlace(model.Items, scroll), model.Header.ChartWidth,
                             model.Header.ChartHeight));
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

int ChartOperations::PressAt(ChartPoint pointer) {
    std::vector<int> hits;
    if (!HitTest(session_.Model().Items, {pointer.x, pointer.y, pointer.x + 1, pointer.y + 1},
                 &hits)) {
        return -1;
    }
    const int index = hits.front();
    if (selection_.active && !selection_.Holds(index)) {
        EndMultiSelection();
    }
    SelectItem(index);
    return index;
}

void ChartOperations::FinishMove(ChartPoint topLeft, ChartPoint offset) {
    CNovelModel& model = session_.Model();
    const int current = session_.State().currentItem;
    if (current < 0 || current >= model.Items.Count()) {
        return;
    }
    const int width = model.Header.ChartWidth;
    const int height = model.Header.ChartHeight;
    CNovelItem& item = model.Items[current];
    if (PositionOf(item) != topLeft) {
        session_.SetModified();
    }
    Place(item, ClampToChart(topLeft, width, height));
    if (selection_.active) {
        for (const int index : selection_.items) {
            if (index != current && index < model.Items.Count()) {
                CNovelItem& other = model.Items[index];
                Place(other, ClampToChart({other.X + offset.x, other.Y + offset.y}, width, height));
            }
        }
    }
    session_.Views().Notify(&IChartView::DrawChart);
}

void ChartOperations::FinishBand(ChartRect band, bool add) {
    if (!add) {
        selection_.items.clear();
    }
    if (HitTest(session_.Model().Items, band, &selection_.items)) {
        const bool several = selection_.items.size() > 1;
        SelectItem(selection_.items.front());
        selection_.active = several;
    } else {
        EndMultiSelection();
    }
    session_.Views().Notify(&IChartView::DrawChart);
}

void ChartOperations::DeleteItems() {
    CNovelModel& model = session_.Model();
    EditorState& state = session_.State();
    IUserInteraction& ui = session_.Ui();
    const auto refuse = [&] {
        ui.ShowMessage(
            {.text = kDeleteAllRefused, .caption = "削除のエラー", .icon = MessageIcon::Error});
    };
    const auto confirm = [&](const UiText& text) {
        return ui.ShowMessage({.text = text,
                               .caption = "削除の確認",
                               .buttons = MessageButtons::YesNo,
                               .icon = MessageIcon::Question}) == MessageResult::Yes;
    };
    if (selection_.active) {
        const int count = static_cast<int>(selection_.items.size());
        if (count >= model.Items.Count()) {
            refuse();
            return;
        }
        if (!confirm(UiText("これらの ") + UiText::FromUtf8(std::to_string(count)) +
                     " 個のアイテムを削除してもよろしいですか？")) {
            return;
        }
    } else {
        if (model.Items.Count() <= 1) {
            refuse();
            return;
        }
        if (state.currentItem < 0 || state.currentItem >= model.Items.Count()) {
            return;
        }
        if (!confirm(UiText("アイテム \"") + SjisString(model.Items[state.currentItem].Name) +
                     "\" を削除してもよろしいですか？")) {
            return;
        }
    }
    session_.Views().Notify(&ICurrentItemView::StoreToItem);
    if (selection_.active) {
        // By index, from the last: where two items bear one name, the selected one goes, not
        // the last of that name.
        std::vector<int> doomed = selection_.items;
        std::sort(doomed.begin(), doomed.end(), std::greater<>());
        for (const int index : doomed) {
            if (index >= 0 && index < model.Items.Count()) {
                model.Items.Delete(index);
            }
        }
        EndMultiSelection();
    } else {
        model.Items.Delete(state.currentItem);
    }
    if (state.currentItem >= model.Items.Count()) {
        state.currentItem = model.Items.Count() - 1;
    }
    session_.Views().Notify(&ICurrentItemView::ChangeText);
    session_.Views().Notify(&IChartView::DrawChart);
    session_.SetModified();
}

void ChartOperations::SetMark() {
    const int current = session_.State().currentItem;
    if (current < 0 || current >= session_.Model().Items.Count()) {
        return;
    }
    markName_ = session_.Model().Items[current].Name;
    session_.Views().Notify(&IChartView::DrawChart);
}

void ChartOperations::GoToMark() {
    const int index = session_.Model().Items.IndexOf(markName_);
    if (index >= 0) {
        SelectItem(index);
    }
}

void ChartOperations::SetChartSize(int width, int height) {
    session_.Model().Header.ChartWidth = width;
    session_.Model().Header.ChartHeight = height;
    session_.Views().Notify(&IChartView::ResizeChart);
    session_.SetModified();
}

} // namespace miravo
