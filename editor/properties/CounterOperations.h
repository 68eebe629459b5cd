#pragma once

namespace miravo {

// The counters editor's place. Its operations (new, edit, delete with the counter edit dialog)
// come beside this view; today the lists only follow a new or opened novel.
class ICounterListView {
public:
    virtual ~ICounterListView() = default;
    // The counter list follows the model's table.
    virtual void RefreshCounters() = 0;
};

} // namespace miravo
