#include "editor/script/LinkDialogValues.h"

#include "novel/ShiftJis.h"

#include <algorithm>

namespace miravo {

int FindIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
    const std::string wanted = sjis::AsciiLower(name);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sjis::AsciiLower(names[i]) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LinkDialogValues LinkDialogValuesOf(const CNovelModel& model, int currentItem,
                                    const CNovelLink& link, const LinkDialogValues& previous) {
    LinkDialogValues values;
    values.threshold = previous.threshold;
    values.range = previous.range;
    for (int i = 0; i < model.Counters.Count(); ++i) {
        values.counters.push_back(model.Counters[i].Name);
    }
    values.text = link.LinkText;
    for (int i = 0; i < model.Items.Count(); ++i) {
        if (i != currentItem) {
            values.targets.push_back(model.Items[i].Name);
        }
    }
    values.target = FindIgnoringCase(values.targets, link.Target);
    values.useCounter = link.UseCounter;
    if (link.UseCounter) {
        values.counter = FindIgnoringCase(values.counters, link.CounterName);
        values.threshold = link.Threshold;
        if (values.counter >= 0) {
            ApplyCounterRange(model.Counters, values.counters[static_cast<std::size_t>(
                                                  values.counter)],
                              values);
        }
    }
    return values;
}

void ApplyCounterRange(const CNovelCounters& counters, const std::string& name,
                       LinkDialogValues& values) {
    const CNovelCounter* found = nullptr;
    for (int i = 0; i < counters.Count(); ++i) {
        if (counters[i].Name == name) {
            found = &counters[i];
        }
    }
    if (found == nullptr) {
        return;
    }
    // A counter's own range is taken whole, also when it lies beyond the old one (setting the
    // minimum first would stop at the old maximum). Only a counter whose minimum lies above its
    // maximum is met by the pulling rule: the minimum, then the maximum at least the minimum.
    if (found->MinValue <= found->MaxValue) {
        values.range = {found->MinValue, found->MaxValue};
    } else {
        values.range.min = std::min(found->MinValue, values.range.max);
        values.range.max = std::max(found->MaxValue, values.range.min);
    }
    values.threshold = std::clamp(values.threshold, values.range.min, values.range.max);
}

CNovelLink LinkFromDialog(const LinkDialogValues& values, bool enabled) {
    CNovelLink link;
    link.Enabled = enabled;
    link.LinkText = values.text;
    link.Target = values.target >= 0 ? values.targets[static_cast<std::size_t>(values.target)]
                                     : std::string();
    link.UseCounter = values.useCounter;
    if (values.useCounter) {
        link.CounterName =
            values.counter >= 0 ? values.counters[static_cast<std::size_t>(values.counter)]
                                : std::string();
        link.Threshold = values.threshold;
    } else {
        link.Threshold = 0;
    }
    return link;
}

} // namespace miravo
