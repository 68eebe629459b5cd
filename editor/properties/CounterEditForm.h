#pragma once

#include "editor/properties/CounterOperations.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"

namespace miravo {

class EditorSession;

// "カウンタ編集": one counter's name, range, initial value and carry-over. Each confirmed number
// recomputes the three fields' limits; OK refuses a name with an ASCII space.
class TCounterEditForm : public Dialog {
public:
    explicit TCounterEditForm(EditorSession& session);

    // The counter the next showing edits.
    void SetCounter(int index) { index_ = index; }
    int Counter() const { return index_; }

    const TUDNumeralEdit& MinEdit() const { return minEdit_; }
    const TUDNumeralEdit& MaxEdit() const { return maxEdit_; }
    const TUDNumeralEdit& ValEdit() const { return valEdit_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;

private:
    void RecomputeLimits();

    EditorSession& session_;
    int index_ = -1;
    TUDNumeralEdit minEdit_;
    TUDNumeralEdit maxEdit_;
    TUDNumeralEdit valEdit_;
    // The fields tell every value set, also the program's own: those are not confirmations.
    bool settingFields_ = false;
};

} // namespace miravo
