#include "editor/shell/EditorApplication.h"

#include "editor/chart/ChartForm.h"
#include "editor/check/NovelCheckForm.h"
#include "editor/distribution/ExeWizardForm.h"
#include "editor/distribution/TestPlayForm.h"
#include "editor/properties/CounterForm.h"
#include "editor/properties/NovelPropertyForm.h"
#include "editor/script/CommandDialogOpener.h"
#include "editor/script/TextForm.h"
#include "editor/shell/AboutForm.h"
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
    const auto child = [this]<class Form>(Form& form) {
        form.Create(*session_, MainForm().MdiClient(), MainForm().UiFont());
    };
    const std::vector<std::function<void()>> windows = {
        [this] {
            windows_.Add<TMainForm>(*session_, application_)
                .Create({.programFolder = programFolder_,
                         .commandLineFile = options_.commandLineFile,
                         .themeLevel = options_.themeLevel.value_or(theme_->Level())});
        },
        [&] { child(windows_.Add<TChartForm>()); },
        [&] { child(windows_.Add<TCounterForm>()); },
        [&] { child(windows_.Add<TTextForm>()); },
        // A dialog template: its window exists while it is shown.
        [this] { windows_.Add<TAboutForm>(ui_); },
        [this] { windows_.Add<TTestPlayForm>(*session_).AttachTo(MainForm()); },
        [this] { windows_.Add<TExeWizardForm>(*session_).AttachTo(MainForm()); },
        [this] { windows_.Add<TNovelCheckForm>(*session_).AttachTo(MainForm()); },
        [this] {
            windows_.Add<TCommandDialogOpener>(*session_, MainForm().Handle(),
                                               [this] { return soundEngine_.get(); });
        },
        [this] {
            windows_
                .Add<TNovelPropertyForm>(
                    *session_, [this] { return &Window<TCommandDialogOpener>().Dialogs(); })
                .AttachTo(MainForm());
        },
    };
    startupSteps_ = static_cast<int>(windows.size());
    if (options_.showSplash) {
        splash_.Create(Widen(VersionText()), startupSteps_);
    }
    model_.emplace();
    session_.emplace(model_->Model(), ui_);
    programFolder_ = options_.programFolder.empty() ? ProgramFolder() : options_.programFolder;
    theme_.emplace();
    for (const auto& create : windows) {
        create();
        splash_.Advance();
    }
    MainForm().AttachChildren(windows_);
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
    } deferred(MainForm());
    soundEngine_ = std::make_unique<TMVSoundEngine>(
        MainForm().Handle(), NarrowToShiftJis((programFolder_ / kSoundEngineFileName).wstring()),
        deferred);
    Window<TAboutForm>().SetSoundEngineActive(soundEngine_->Active());
}

EditorApplication::~EditorApplication() {
    soundEngine_.reset();
    // The main window may still exist when the loop did not run to its end (tests).
    windows_.DestroyAll();
}

void EditorApplication::ShowMainWindow() {
    if (!shown_) {
        shown_ = true;
        MainForm().ShowFirst(options_.showCommand);
    }
}

int EditorApplication::Run() {
    ShowMainWindow();
    return application_.Run();
}

} // namespace miravo
