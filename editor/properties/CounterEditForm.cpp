#include "editor/properties/CounterEditForm.h"

#include "editor/properties/SettingsResource.h"
#include "editor/shell/EditorSession.h"
#include "novel/NovelData.h"

#include <string>

namespace miravo {

namespace {
UiText UiTextOfWide(const std::wstring& text) {
    return UiText::FromUtf16(std::u16string(text.begin(), text.end()));
}
} // namespace

TCounterEditForm::TCounterEditForm(EditorSession& session)
    : Dialog(IDD_COUNTER_EDIT, session.Ui()), session_(session) {}

void TCounterEditForm::OnInit() {
    minEdit_.Attach(Item(IDC_COUNTER_MIN));
    maxEdit_.Attach(Item(IDC_COUNTER_MAX));
    valEdit_.Attach(Item(IDC_COUNTER_VALUE));
    const CounterEditValues values = CounterValuesOf(session_.Model().Counters[index_]);
    settingFields_ = true;
    // The fields open with the whole range, so that the counter's values show as stored (a
    // counter from a file may hold an initial value outside its range); the first confirmation
    // sets the limits.
    for (TUDNumeralEdit* field : {&minEdit_, &maxEdit_, &valEdit_}) {
        field->SetMinimum(kNumeralLowest);
        field->SetMaximum(kNumeralHighest);
    }
    const std::u16string name = values.name.Utf16();
    SetItemText(IDC_COUNTER_NAME, std::wstring(name.begin(), name.end()));
    minEdit_.SetValue(values.minValue);
    maxEdit_.SetValue(values.maxValue);
    valEdit_.SetValue(values.initialValue);
    CheckDlgButton(Handle(), IDC_COUNTER_CARRY, values.carryOver ? BST_CHECKED : BST_UNCHECKED);
    settingFields_ = false;
}

void TCounterEditForm::RecomputeLimits() {
    const CounterFieldValues confirmed =
        ApplyCounterLimits({minEdit_.Value(), maxEdit_.Value(), valEdit_.Value()});
    const CounterFieldLimits limits = CounterLimitsFor(confirmed);
    settingFields_ = true;
    // Widened first, so that no bound is judged against a stale one of the other end.
    maxEdit_.SetMaximum(limits.maxHigh);
    maxEdit_.SetMinimum(limits.maxLow);
    minEdit_.SetMinimum(limits.minLow);
    minEdit_.SetMaximum(limits.minHigh);
    valEdit_.SetMinimum(kNumeralLowest);
    valEdit_.SetMaximum(limits.valueHigh);
    valEdit_.SetMinimum(limits.valueLow);
    settingFields_ = false;
}

bool TCounterEditForm::OnCommand(int id, int notification, HWND) {
    if (notification == NEN_DECIDED &&
        (id == IDC_COUNTER_MIN || id == IDC_COUNTER_MAX || id == IDC_COUNTER_VALUE)) {
        if (!settingFields_) {
            RecomputeLimits();
        }
        return true;
    }
    return false;
}

bool TCounterEditForm::OnOK() {
    const CounterEditValues values{.name = UiTextOfWide(ItemText(IDC_COUNTER_NAME)),
                                   .initialValue = valEdit_.Value(),
                                   .minValue = minEdit_.Value(),
                                   .maxValue = maxEdit_.Value(),
                                   .carryOver = IsDlgButtonChecked(Handle(), IDC_COUNTER_CARRY) ==
                                                BST_CHECKED};
    return session_.Counters().StoreCounter(index_, values);
}

} // namespace miravo
