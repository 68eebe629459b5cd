#pragma once

#include "editor/script/CommandDialogValues.h"
#include "editor/script/CommandOut.h"
#include "editor/script/DialogControls.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"
#include "editor/widgets/PictureImages.h"
#include "novel/NovelData.h"

#include <vector>

// The four counter dialogs: set a value, add an amount, set a random value from a range, add a
// random amount from a range. Each lists the novel's counters; OK and the values stay disabled
// until one is chosen.
namespace miravo {

class TComCtSetForm : public Dialog {
public:
    TComCtSetForm(IUserInteraction& ui, ICommandOut& out);
    // The novel's counters, read on each opening.
    void SetCounters(const std::vector<CNovelCounter>* counters) { counters_ = counters; }

protected:
    enum class Kind { Set, Plus, RndSet, RndPlus };
    TComCtSetForm(IUserInteraction& ui, ICommandOut& out, Kind kind);

    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Ranged() const { return kind_ == Kind::RndSet || kind_ == Kind::RndPlus; }
    bool Bounded() const { return kind_ == Kind::Set || kind_ == Kind::RndSet; }
    void CounterChosen();
    void CommitLow();
    void CommitHigh();
    // Sets the fields from the program: their NEN_DECIDED is then no author's commit.
    template <class Set> void SetFields(Set set);

    ICommandOut& out_;
    Kind kind_;
    const std::vector<CNovelCounter>* counters_ = nullptr;
    int value_ = 0;       // the set value / the plus amount
    CounterRange range_;  // the random dialogs
    NumberBounds bounds_; // of the chosen counter (set dialogs) or unbounded
    TUDNumeralEdit first_, second_;
    bool settingFields_ = false;
    ImageListHandle icons_;
};

class TComCtPlusForm : public TComCtSetForm {
public:
    TComCtPlusForm(IUserInteraction& ui, ICommandOut& out) : TComCtSetForm(ui, out, Kind::Plus) {}
};

class TComCtRndSetForm : public TComCtSetForm {
public:
    TComCtRndSetForm(IUserInteraction& ui, ICommandOut& out)
        : TComCtSetForm(ui, out, Kind::RndSet) {}

protected:
    TComCtRndSetForm(IUserInteraction& ui, ICommandOut& out, Kind kind)
        : TComCtSetForm(ui, out, kind) {}
};

class TComCtRndPlusForm : public TComCtRndSetForm {
public:
    TComCtRndPlusForm(IUserInteraction& ui, ICommandOut& out)
        : TComCtRndSetForm(ui, out, Kind::RndPlus) {}
};

} // namespace miravo
