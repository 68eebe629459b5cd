#pragma once

#include "editor/script/ScriptSearch.h"
#include "editor/widgets/Dialog.h"

#include <string>
#include <vector>

namespace miravo {

// The search dialog "検索": a search text with its history and the option set. On "次を検索"
// the text becomes the result (an empty box is a result too: the window then searches again for
// its last text).
class TFormSearch : public Dialog {
public:
    explicit TFormSearch(IUserInteraction& ui);

    // Shown when the dialog opens; after OK, what the user chose.
    SearchOptions options;
    std::wstring text;
    std::vector<std::wstring> history;

protected:
    void OnInit() override;
    bool OnOK() override;
};

// The replace dialog "置換": search and replacement texts with their histories, the options and
// the mode of the button pressed ("置換" Replace, "すべて置換" ReplaceAll). It returns a result
// only when both texts are filled.
class TFormReplace : public Dialog {
public:
    explicit TFormReplace(IUserInteraction& ui);

    SearchOptions options;
    std::wstring text;
    std::wstring replacement;
    std::vector<std::wstring> history;
    std::vector<std::wstring> replacementHistory;

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;

private:
    bool replaceAll_ = false;
};

} // namespace miravo
