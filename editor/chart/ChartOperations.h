#pragma once

#include "editor/chart/ChartGeometry.h"

#include <string>
#include <vector>

namespace miravo {

class EditorSession;

// The chart window: what it shows of the items and links.
class IChartView {
public:
    virtual ~IChartView() = default;
    // Takes the novel's chart size / drops its multi-selection / repaints.
    virtual void ResizeChart() = 0;
    virtual void EndMultiSelection() = 0;
    virtual void DrawChart() = 0;
    // Where the visible part of the chart starts; new items are placed from there.
    virtual ChartPoint ScrollPosition() const = 0;
};

// Several boxes selected at once by a rubber band. The list means something only while `active`.
struct ChartSelection {
    bool active = false;
    std::vector<int> items; // no duplicates, in order of insertion

    bool Holds(int index) const;
};

// Items and the chart: create, select, move, delete, mark, resize. The chart window forwards the
// pointer and its commands here and draws what these leave in the model and in the chart state.
class ChartOperations {
public:
    explicit ChartOperations(EditorSession& session) : session_(session) {}

    // A new item named "新規アイテム" and its number, placed free from the scroll position and
    // made current; returns its index. At the item limit raises and changes nothing.
    int NewItem();
    // Makes item n current: the text editor stores the old one and loads n.
    void SelectItem(int index);

    const ChartSelection& Selection() const { return selection_; }
    void EndMultiSelection() { selection_ = {}; }

    // A button went down at `pointer`: the box on top there becomes current (a box outside the
    // multi-selection ends it). Its index, or -1 on empty chart.
    int PressAt(ChartPoint pointer);
    // A move ended with the current item's box at `topLeft`: stored clamped, the other selected
    // boxes shifted by `offset` and clamped each; modified only when the current box moved.
    void FinishMove(ChartPoint topLeft, ChartPoint offset);
    // A rubber band ended: its boxes become the selection (added to it when `add`); the first
    // hit becomes current, and more than one hit makes a multi-selection.
    void FinishBand(ChartRect band, bool add);

    // Deletes the selected items or the current one, after asking; refuses to delete them all.
    void DeleteItems();

    const std::string& MarkName() const { return markName_; } // Shift-JIS, as item names
    void SetMark();
    // The last item named as the mark becomes current; nothing when there is none.
    void GoToMark();

    // The chart's new size (the dialog's OK): the chart takes it, the novel is modified.
    void SetChartSize(int width, int height);

private:
    EditorSession& session_;
    ChartSelection selection_;
    // Kept across novels: only the mark command changes it.
    std::string markName_;
};

} // namespace miravo
