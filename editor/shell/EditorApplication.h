#pragma once

#include "editor/chart/ChartForm.h"
#include "editor/properties/CounterForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/AboutForm.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/ThemeLevel.h"
#include "editor/widgets/Application.h"
#include "editor/widgets/SplashWindow.h"
#include "novel/NovelData.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace miravo {

class IUserInteraction;
class TMVSoundEngine;

struct EditorOptions {
    // Empty: the folder of the running program (tests give a folder of their own).
    std::filesystem::path programFolder{};
    std::filesystem::path commandLineFile{};
    // Detected from the system unless given.
    std::optional<int> themeLevel{};
    bool showSplash = true;
    int showCommand = SW_SHOWNORMAL;
};

// The editor's main sequence: the splash, the model, every window in its order, the sound
// engine binding; then the message loop; then everything in reverse, the model last.
class EditorApplication {
public:
    EditorApplication(IUserInteraction& ui, const EditorOptions& options);
    ~EditorApplication();
    EditorApplication(const EditorApplication&) = delete;
    EditorApplication& operator=(const EditorApplication&) = delete;

    // The main window's first show (settings, new novel, command line); Run does it first.
    void ShowMainWindow();
    int Run();

    Application& App() { return application_; }
    TMainForm& MainForm() { return *mainForm_; }
    TChartForm& ChartForm() { return chartForm_; }
    TCounterForm& CounterForm() { return counterForm_; }
    TTextForm& TextForm() { return textForm_; }
    TAboutForm& AboutForm() { return aboutForm_; }
    const SplashWindow& Splash() const { return splash_; }
    const TMVSoundEngine* SoundEngine() const { return soundEngine_.get(); }
    int StartupSteps() const { return startupSteps_; }

private:
    void CreateWindows();
    void CreateSoundEngine();

    IUserInteraction& ui_;
    EditorOptions options_;
    // Declared first, destroyed last.
    std::optional<CNovelModelInstance> model_;
    std::optional<ThemeDetector> theme_;
    Application application_;
    SplashWindow splash_;
    std::filesystem::path programFolder_;
    std::unique_ptr<TMainForm> mainForm_;
    TChartForm chartForm_;
    TCounterForm counterForm_;
    TTextForm textForm_;
    TAboutForm aboutForm_;
    int startupSteps_ = 0;
    bool shown_ = false;
    // Declared last: finalized and unloaded first, while the windows still exist.
    std::unique_ptr<TMVSoundEngine> soundEngine_;
};

// Folder of the running program.
std::filesystem::path ProgramFolder();

} // namespace miravo
