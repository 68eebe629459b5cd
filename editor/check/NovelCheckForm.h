#pragma once

#include "editor/check/NovelCheckOperations.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/HeaderList.h"

#include <vector>

namespace miravo {

class EditorSession;
class TMainForm;

// "ノベルのチェック": the findings of the novel check in a list beside the editor's windows.
// It stays open while the author works: a double-click (or Enter) on a finding makes its item
// current and puts the caret on its line; "再チェック" checks the novel again.
class TNovelCheckForm : public Dialog {
public:
    explicit TNovelCheckForm(EditorSession& session);
    // Gives the main window's "ノベルのチェック" command its action.
    void AttachTo(TMainForm& mainForm);
    // Checks the novel and shows the window (created on first use, raised afterwards).
    void Show(HWND owner);

    const std::vector<CheckFinding>& Findings() const { return findings_; }
    THeaderList& List() { return list_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;

private:
    void CheckAgainClick();
    void FindingDoubleClick();
    void ShowFindings();

    EditorSession& session_;
    NovelCheckOperations check_;
    std::vector<CheckFinding> findings_;
    THeaderList list_;
};

} // namespace miravo
