#pragma once

#include "novel/NovelData.h"

#include <cstdint>
#include <string>
#include <vector>

// The link dialog's state as plain values: from the model when it opens, back into a link on
// OK, and its counter rule; windowless, so that the rules are tested natively.
namespace miravo {

struct ThresholdRange {
    std::int32_t min = 0;
    std::int32_t max = 100;
};

struct LinkDialogValues {
    std::string text;
    std::vector<std::string> targets; // every item but the current one, in item order
    int target = -1;                  // the entry shown, -1: blank
    std::vector<std::string> counters;
    bool useCounter = false;
    int counter = -1;
    std::int32_t threshold = 0;
    ThresholdRange range;
};

// The first entry equal to `name` without regard to ASCII letter case, or -1.
int FindIgnoringCase(const std::vector<std::string>& names, const std::string& name);

// On show: the slot of the current item. `previous` is what the dialog kept from its last use:
// without a condition the threshold and its range stay as they were.
LinkDialogValues LinkDialogValuesOf(const CNovelModel& model, int currentItem,
                                    const CNovelLink& link, const LinkDialogValues& previous);

// The counter rule: the range of the counter named exactly `name` (the last of that name), and
// the threshold pulled inside it. No such counter leaves everything as it was.
void ApplyCounterRange(const CNovelCounters& counters, const std::string& name,
                       LinkDialogValues& values);

// On OK: the slot as the dialog shows it (threshold 0 without a condition; nothing validated).
CNovelLink LinkFromDialog(const LinkDialogValues& values, bool enabled);

} // namespace miravo
