#pragma once

#include "editor/chart/ChartGeometry.h"

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

// Items and the chart: create and select. Chart editing adds its operations here beside them
// (move, delete, mark, chart size), with the views they refresh in IChartView.
class ChartOperations {
public:
    explicit ChartOperations(EditorSession& session) : session_(session) {}

    // A new item named "新規アイテム" and its number, placed free from the scroll position and
    // made current; returns its index. At the item limit raises and changes nothing.
    int NewItem();
    // Makes item n current: the text editor stores the old one and loads n.
    void SelectItem(int index);

private:
    EditorSession& session_;
};

} // namespace miravo
