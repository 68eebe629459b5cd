#pragma once

#include "editor/script/CommandOut.h"
#include "editor/script/DialogControls.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"

#include <string>

// The dialogs of one time in milliseconds: "時間待ち" (.Wait) and the fade-out dialog of BGM or
// MIDI (.BGMFadeout / .MidiFadeout). The time persists between uses.
namespace miravo {

class TComTimeForm : public Dialog {
public:
    int Milliseconds() const { return milliseconds_; }

protected:
    TComTimeForm(int templateId, IUserInteraction& ui, ICommandOut& out, int initial);
    void OnInit() override;
    bool OnOK() override;
    virtual std::wstring Caption() const = 0;
    virtual std::wstring FieldLabel() const = 0;
    virtual std::string Line(int milliseconds) const = 0;

private:
    ICommandOut& out_;
    int milliseconds_;
    TUDNumeralEdit field_;
};

class TComWaitForm : public TComTimeForm {
public:
    TComWaitForm(IUserInteraction& ui, ICommandOut& out);

protected:
    std::wstring Caption() const override { return L"時間待ち"; }
    std::wstring FieldLabel() const override { return L"待ち時間(&T):"; }
    std::string Line(int milliseconds) const override;
};

class TComMidiFadeoutForm : public TComTimeForm {
public:
    TComMidiFadeoutForm(IUserInteraction& ui, ICommandOut& out);
    void SetMidiMode() { midi_ = true; }
    void SetBGMMode() { midi_ = false; }

protected:
    std::wstring Caption() const override {
        return midi_ ? L"MIDIフェードアウト" : L"BGMフェードアウト";
    }
    std::wstring FieldLabel() const override { return L"フェードアウト時間(&T):"; }
    std::string Line(int milliseconds) const override;

private:
    bool midi_ = false;
};

} // namespace miravo
