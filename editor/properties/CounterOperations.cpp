#include "editor/properties/CounterOperations.h"

#include "editor/properties/DeletionQuestion.h"
#include "editor/properties/TextWindowOperations.h"
#include "editor/script/ItemTextOperations.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/UserInteraction.h"
#include "novel/NovelData.h"

#include <algorithm>
#include <string>

namespace miravo {

namespace {
constexpr std::int32_t kFieldLowest = -2147483647;
constexpr std::int32_t kFieldHighest = 2147483647;
} // namespace

CounterEditValues CounterValuesOf(const CNovelCounter& counter) {
    return {.name = UiText::From(SjisString(counter.Name)),
            .initialValue = counter.InitialValue,
            .minValue = counter.MinValue,
            .maxValue = counter.MaxValue,
            .carryOver = counter.CarryOver};
}

CounterFieldLimits CounterLimitsFor(const CounterFieldValues& values) {
    // A minimum above the maximum (a file may hold one) leaves the value range empty: the
    // initial value's bounds then meet at the minimum, as the field's own rule keeps them.
    return {.minLow = kFieldLowest,
            .minHigh = std::max(values.minValue, values.maxValue),
            .maxLow = values.minValue,
            .maxHigh = kFieldHighest,
            .valueLow = values.minValue,
            .valueHigh = std::max(values.minValue, values.maxValue)};
}

CounterFieldValues ApplyCounterLimits(const CounterFieldValues& values) {
    CounterFieldValues result = values;
    // The maximum's bound comes first: a minimum confirmed above the maximum carries it up.
    result.maxValue = std::max(values.maxValue, values.minValue);
    result.minValue = std::min(values.minValue, result.maxValue);
    result.initialValue = std::clamp(values.initialValue, result.minValue, result.maxValue);
    return result;
}

std::u16string CounterRangeText(std::int32_t minValue, std::int32_t maxValue) {
    const std::string text = std::to_string(minValue) + "～" + std::to_string(maxValue);
    return sjis::Utf8ToUtf16(text);
}

int CounterOperations::NewCounter() {
    CNovelModel& model = session_.Model();
    CNovelCounter& counter = model.Counters.Add(); // raises at the limit, nothing changed
    int& number = session_.State().newNames.counter;
    ++number;
    counter.Name = SjisString::FromUtf8("(新規カウンタ" + std::to_string(number) + ")").Bytes();
    session_.Views().Notify(&ICounterListView::RefreshCounters);
    session_.SetModified();
    return model.Counters.Count() - 1;
}

bool CounterOperations::DeleteCounter(int index) {
    CNovelCounters& counters = session_.Model().Counters;
    if (index < 0 || index >= counters.Count()) {
        return false;
    }
    if (!ConfirmDeletion(session_.Ui(), "カウンタ", SjisString(counters[index].Name))) {
        return false;
    }
    counters.Delete(index);
    session_.Views().Notify(&ICounterListView::RefreshCounters);
    session_.Views().Notify(&ILinkListView::RepaintLinkList);
    session_.SetModified();
    return true;
}

bool CounterOperations::StoreCounter(int index, const CounterEditValues& values) {
    if (values.name.Utf8().find(' ') != std::string::npos) {
        session_.Ui().ShowMessage({.text = "カウンタ名にスペースを含むことは出来ません.",
                                   .caption = "エラー",
                                   .buttons = MessageButtons::Ok,
                                   .icon = MessageIcon::Error});
        return false;
    }
    CNovelCounter& counter = session_.Model().Counters[index];
    counter.Name = ToSjis(values.name.Utf16()).text.Bytes();
    counter.InitialValue = values.initialValue;
    counter.MinValue = values.minValue;
    counter.MaxValue = values.maxValue;
    counter.CarryOver = values.carryOver;
    return true;
}

void CounterOperations::CounterEdited() {
    session_.Views().Notify(&ICounterListView::RefreshCounters);
    session_.SetModified();
}

} // namespace miravo
