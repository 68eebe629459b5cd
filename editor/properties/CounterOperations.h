#pragma once

#include "editor/shell/UiText.h"

#include <cstdint>
#include <string>

namespace miravo {

class EditorSession;
struct CNovelCounter;

// The settings window's counters list: it shows the model's table directly.
class ICounterListView {
public:
    virtual ~ICounterListView() = default;
    // The counter list follows the model's table.
    virtual void RefreshCounters() = 0;
};

// The counter edit dialog's fields, as the dialog shows them and gives them back.
struct CounterEditValues {
    UiText name{};
    std::int32_t initialValue = 0;
    std::int32_t minValue = 0;
    std::int32_t maxValue = 100;
    bool carryOver = false;
};

CounterEditValues CounterValuesOf(const CNovelCounter& counter);

// The bounds of the three number fields after a value was confirmed: the maximum may not go
// below the minimum's value, the minimum not above the maximum's value, and the initial value
// stays between the two. Values outside their new bounds move onto them.
struct CounterFieldLimits {
    std::int32_t minLow, minHigh;
    std::int32_t maxLow, maxHigh;
    std::int32_t valueLow, valueHigh;
};
struct CounterFieldValues {
    std::int32_t minValue = 0;
    std::int32_t maxValue = 0;
    std::int32_t initialValue = 0;
    friend bool operator==(const CounterFieldValues&, const CounterFieldValues&) = default;
};
// The bounds that confirmed values set (from ApplyCounterLimits' result).
CounterFieldLimits CounterLimitsFor(const CounterFieldValues& values);
// The values forced into the limits that the given values set, in the dialog's order (the
// maximum, the minimum, then the initial value).
CounterFieldValues ApplyCounterLimits(const CounterFieldValues& values);

// The range column: "<min>～<max>", no blanks.
std::u16string CounterRangeText(std::int32_t minValue, std::int32_t maxValue);

// The counters of the novel as the settings window edits them. Every change refreshes the
// lists and marks the novel modified.
class CounterOperations {
public:
    explicit CounterOperations(EditorSession& session) : session_(session) {}

    // A new counter named "(新規カウンタN)" with the novel's next number (a number is never
    // given twice in one novel); returns its index. At the limit raises and changes nothing.
    int NewCounter();
    // Asks first; true when counter `index` was deleted. Links and scripts that name it are left
    // as they are; the text editor repaints its link list (counter numbers move).
    bool DeleteCounter(int index);
    // The edit dialog's OK. A name with an ASCII space is refused (false, nothing stored).
    bool StoreCounter(int index, const CounterEditValues& values);
    // The edit dialog's OK after it stored: the lists show it, the novel is modified.
    void CounterEdited();

private:
    EditorSession& session_;
};

} // namespace miravo
