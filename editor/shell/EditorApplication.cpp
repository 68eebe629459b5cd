#include "editor/shell/EditorApplication.h"

#include "editor/shell/EditorDocument.h"
#include "editor/shell/MVSound.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/WideText.h"

#include <functional>
#include <vector>

namespace miravo {

std::filesystem::path ProgramFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return std::filesystem::path(path).parent_path();
}

EditorApplication::EditorApplication(IUserInteraction& ui, const EditorOptions& options)
    : ui_(ui), options_(options) {
    // The windows that later parts of the editor add take their places in this list, in this
    // order; the splash gauge has one step per window.
    const std::vector<std::function<void()>> windows = {
        [this] {
            mainForm_ = std::make_unique<TMainForm>(model_->Model(), ui_, application_);
            mainForm_->Create({.programFolder = programFolder_,
                               .commandLineFile = options_.commandLineFile,
                               .themeLevel = options_.themeLevel.value_or(theme_->Level())});
        },
        [this] {
            chartForm_.Create(mainForm_->Document(), mainForm_->MdiClient(), mainForm_->UiFont());
        },
        [this] {
            counterForm_.Create(mainForm_->Document(), mainForm_->MdiClient(), mainForm_->UiFont());
        },
        [this] {
            textForm_.Create(mainForm_->Document(), mainForm_->MdiClient(), mainForm_->UiFont());
        },
        [] {}, // the about box is a dialog template: it exists once it is shown
    };
    startupSteps_ = static_cast<int>(windows.size());
    if (options_.showSplash) {
        splash_.Create(Widen(VersionText()), startupSteps_);
    }
    model_.emplace();
    programFolder_ = options_.programFolder.empty() ? ProgramFolder() : options_.programFolder;
    theme_.emplace();
    for (const auto& create : windows) {
        create();
        splash_.Advance();
    }
    mainForm_->AttachChildren(
        {.chart = &chartForm_, .counter = &counterForm_, .text = &textForm_, .about = &aboutForm_});
    CreateSoundEngine();
}

// The binding reports a missing or unfit engine while the main window is still hidden: its
// messages wait until the window is on screen and can own them.
void EditorApplication::CreateSoundEngine() {
    class DeferredMessages : public IUserInteraction {
    public:
        explicit DeferredMessages(TMainForm& mainForm) : mainForm_(mainForm) {}
        MessageResult ShowMessage(const MessageRequest& request) override {
            mainForm_.ShowWhenOnScreen(request);
            return MessageResult::Ok;
        }

    private:
        TMainForm& mainForm_;
    } deferred(*mainForm_);
    soundEngine_ = std::make_unique<TMVSoundEngine>(
        mainForm_->Handle(), NarrowToShiftJis((programFolder_ / kSoundEngineFileName).wstring()),
        deferred);
    aboutForm_.SetSoundEngineActive(soundEngine_->Active());
}

EditorApplication::~EditorApplication() {
    soundEngine_.reset();
    // The main window may still exist when the loop did not run to its end (tests).
    mainForm_.reset();
}

void EditorApplication::ShowMainWindow() {
    if (!shown_) {
        shown_ = true;
        mainForm_->ShowFirst(options_.showCommand);
    }
}

int EditorApplication::Run() {
    ShowMainWindow();
    return application_.Run();
}

} // namespace miravo
