#pragma once

#include "editor/script/LinkDialogValues.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/Handles.h"
#include "editor/widgets/NumeralEdit.h"
#include "editor/widgets/PictureImages.h"

#include <functional>
#include <optional>
#include <string>

namespace miravo {

class EditorSession;

// The link editing dialog "リンク編集": one slot of the current item (the current link slot):
// its text, its target among the other items, and an optional counter condition. Created once;
// between uses it keeps the threshold's range and, without a condition, its last value. OK
// leaves the edited link in Result(); the item text editor writes it into the slot.
class TPropertyForm : public Dialog {
public:
    explicit TPropertyForm(EditorSession& session);

    // The name of the item the chart has marked, when there is one (the chart's mark unless a
    // test gives its own).
    std::function<std::optional<std::string>()> markName;

    const LinkDialogValues& Values() const { return values_; }
    const CNovelLink& Edited() const { return edited_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CounterCheckBoxClick();
    void CounterComboChange();
    void SetStartToMarkButtonClick();
    void ShowRange();
    void DrawCounterRow(const DRAWITEMSTRUCT& item) const;

    EditorSession& session_;
    LinkDialogValues values_;
    CNovelLink edited_;
    FontHandle largeFont_;
    FontHandle boldFont_;
    TUDNumeralEdit threshold_; // CounterValEdit
    ImageListHandle icons_;
};

} // namespace miravo
