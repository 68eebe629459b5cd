#pragma once

#include "editor/widgets/Dialog.h"

namespace miravo {

// "バージョン情報": the program, its version and whether the sound engine is in use.
class TAboutForm : public Dialog {
public:
    explicit TAboutForm(IUserInteraction& ui);
    void SetSoundEngineActive(bool active) { soundEngineActive_ = active; }

protected:
    void OnInit() override;

private:
    bool soundEngineActive_ = false;
};

} // namespace miravo
