#include "editor/chart/ChartForm.h"
#include "editor/properties/CounterForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"
#include "editor/shell/Settings.h"
#include "editor/shell/SettingsIniFile.h"
#include "editor/shell/WindowLayoutWin32.h"

// The settings file and the window layout of the main window.
namespace miravo {

namespace {

LayoutWindows LayoutOf(HWND main, HWND mdiClient, HWND toolPanel, HWND statusBar,
                       const WindowRegistry* children) {
    const auto* text = children != nullptr ? children->Find<TTextForm>() : nullptr;
    const auto* counter = children != nullptr ? children->Find<TCounterForm>() : nullptr;
    const auto* chart = children != nullptr ? children->Find<TChartForm>() : nullptr;
    return {.mainForm = main,
            .mdiClient = mdiClient,
            .toolBar = toolPanel,
            .statusBar = statusBar,
            .textForm = text != nullptr ? text->Handle() : nullptr,
            .linkPanel = text != nullptr ? text->LinkPanel().Handle() : nullptr,
            .counterForm = counter != nullptr ? counter->Handle() : nullptr,
            .chartForm = chart != nullptr ? chart->Handle() : nullptr};
}

IniProfileFile SettingsFile(const std::filesystem::path& dataFolder) {
    return IniProfileFile(SettingsFilePath(dataFolder.wstring()));
}

} // namespace

bool TMainForm::ResumeLayout() const {
    return GetMenuState(GetMenu(Handle()), ID_SAVE_WINDOW_LAYOUT, MF_BYCOMMAND) & MF_CHECKED;
}

void TMainForm::SetResumeLayout(bool enabled) {
    CheckMenuItem(GetMenu(Handle()), ID_SAVE_WINDOW_LAYOUT,
                  MF_BYCOMMAND | (enabled ? MF_CHECKED : MF_UNCHECKED));
}

void TMainForm::ReadSettings() {
    const IniProfileFile settings = SettingsFile(state_.dataFolder);
    state_.firstRun = ReadFirstRunFlag(settings);
    ReadRecentFiles(settings, state_.recentFiles);
    RestoreWindowLayout(settings);
}

void TMainForm::RestoreWindowLayout(const IProfileFile& settings) {
    SetResumeLayout(
        miravo::RestoreWindowLayout(settings, LayoutOf(Handle(), MdiClient(), toolPanel_.Handle(),
                                                       statusBar_.Handle(), children_)));
}

void TMainForm::WriteSettings() {
    IniProfileFile settings = SettingsFile(state_.dataFolder);
    WriteSavedVersion(settings);
    WriteRecentFiles(settings, state_.recentFiles);
    SaveWindowLayout(settings);
}

void TMainForm::SaveWindowLayout(IProfileFile& settings) {
    miravo::SaveWindowLayout(
        settings,
        LayoutOf(Handle(), MdiClient(), toolPanel_.Handle(), statusBar_.Handle(), children_),
        ResumeLayout());
}

void TMainForm::ArrangeWindowMenuClick() {
    ArrangeWindows(
        LayoutOf(Handle(), MdiClient(), toolPanel_.Handle(), statusBar_.Handle(), children_));
}

void TMainForm::ResetWindowLayoutMenuClick() {
    if (AskResetWindowLayout(ui_)) {
        ResetWindowLayout(
            LayoutOf(Handle(), MdiClient(), toolPanel_.Handle(), statusBar_.Handle(), children_));
    }
}

void TMainForm::SaveWindowLayoutMenuClick() { SetResumeLayout(!ResumeLayout()); }

} // namespace miravo
