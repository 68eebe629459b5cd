#pragma once

#include "editor/script/CommandDialogValues.h"
#include "editor/script/CommandOut.h"
#include "editor/script/DialogControls.h"
#include "editor/widgets/CuteButton.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"

#include <string>

// Writing dialogs of the display commands: "キャラクターを消す" (.CharDelete) and "フォントの変更"
// (.FontType, .FontSize, .FontColor).
namespace miravo {

class TComCharDeleteForm : public Dialog {
public:
    TComCharDeleteForm(IUserInteraction& ui, ICommandOut& out);
    // The character dialog's last name (UTF-16, as the field shows it).
    void SetName(std::wstring name) { name_ = std::move(name); }
    const std::wstring& Name() const { return name_; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    ICommandOut& out_;
    std::wstring name_;
};

class TComFontForm : public Dialog {
public:
    TComFontForm(IUserInteraction& ui, ICommandOut& out);
    const FontFormValues& Values() const { return values_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;

private:
    void ApplyEnableStates();

    ICommandOut& out_;
    FontFormValues values_;
    TUDNumeralEdit size_;
    TCuteButton swatch_;
};

} // namespace miravo
