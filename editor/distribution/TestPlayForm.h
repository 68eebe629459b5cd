#pragma once

#include "editor/distribution/PlaytestOperation.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/Handles.h"

#include <memory>

namespace miravo {

class EditorSession;
class TMainForm;

// The runtime started the way the editor starts it.
class WinExecLauncher : public IProgramLauncher {
public:
    unsigned Start(const std::string& commandLine) override;
};

// "テストプレイ": the two options, kept while the program runs, and "スタート", which writes the
// scratch file and starts the runtime.
class TTestPlayForm : public Dialog {
public:
    explicit TTestPlayForm(EditorSession& session);
    // Gives the main window's "テストプレイ" command (menu, F5, tool button) its action.
    void AttachTo(TMainForm& mainForm);
    // Tests start something else than the runtime.
    void SetLauncher(std::unique_ptr<IProgramLauncher> launcher) {
        launcher_ = std::move(launcher);
    }

    const PlaytestOptions& Options() const { return options_; }
    // The command line of the last start, for tests.
    const std::string& LastCommandLine() const { return lastCommandLine_; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    // The dialog has closed with OK: the scratch file, the runtime.
    void StartButtonClick();

    EditorSession& session_;
    std::unique_ptr<IProgramLauncher> launcher_;
    PlaytestOptions options_;
    std::string lastCommandLine_;
    FontHandle boldFont_;
};

} // namespace miravo
