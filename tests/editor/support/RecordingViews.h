#pragma once

#include "editor/chart/ChartOperations.h"
#include "editor/properties/CounterOperations.h"
#include "editor/properties/TextWindowOperations.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/shell/DocumentLifecycle.h"
#include "editor/shell/ViewRegistry.h"

#include <algorithm>
#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace miravo::test {

// Stands in for every window of the document: registers for each view, records which refreshes
// the operations asked for, runs onStore at StoreToItem, and fails the next refresh named throwOn.
class RecordingViews : public ITitleView,
                       public IChartView,
                       public ICurrentItemView,
                       public ICounterListView,
                       public ITextWindowListView {
public:
    explicit RecordingViews(ViewRegistry& views)
        : registrations_{{views.Add<ITitleView>(*this), views.Add<IChartView>(*this),
                          views.Add<ICurrentItemView>(*this), views.Add<ICounterListView>(*this),
                          views.Add<ITextWindowListView>(*this)}} {}

    std::vector<std::string> calls;
    ChartPoint scroll;
    std::function<void()> onStore;
    std::string throwOn;

    void StoreToItem() override {
        Record("StoreToItem");
        if (onStore) {
            onStore();
        }
    }
    void ChangeText() override { Record("ChangeText"); }
    void ResizeChart() override { Record("ResizeChart"); }
    void EndMultiSelection() override { Record("EndMultiSelection"); }
    void DrawChart() override { Record("DrawChart"); }
    ChartPoint ScrollPosition() const override { return scroll; }
    void RefreshCounters() override { Record("RefreshCounters"); }
    void RefreshTextWindows() override { Record("RefreshTextWindows"); }
    void UpdateTitle() override { Record("UpdateTitle"); }
    bool Called(const std::string& name) const {
        return std::find(calls.begin(), calls.end(), name) != calls.end();
    }

private:
    void Record(const std::string& name) {
        calls.push_back(name);
        if (name == throwOn) {
            throwOn.clear();
            throw std::runtime_error(name + " failed");
        }
    }

    std::array<ViewRegistry::Registration, 5> registrations_;
};

} // namespace miravo::test
