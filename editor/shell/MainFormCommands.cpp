#include "editor/shell/CommandUpdate.h"
#include "editor/shell/EditorCommands.h"
#include "editor/shell/MainForm.h"
#include "editor/shell/Resource.h"

#include <algorithm>

// The main window's commands, its menus and the update pass that enables them.
namespace miravo {

namespace {

// A path as a menu caption: "&" would underline the next character instead of showing.
std::wstring MenuCaption(const std::u16string& path) {
    std::wstring caption;
    for (const char16_t c : path) {
        if (c == u'&') {
            caption += L'&';
        }
        caption += static_cast<wchar_t>(c);
    }
    return caption;
}

} // namespace

void TMainForm::RegisterCommands() {
    DeclareDocumentCommands(commands_, state_, model_);
    const std::pair<int, void (TMainForm::*)()> actions[] = {
        {ID_NOVEL_NEW, &TMainForm::NovelNewClick},
        {ID_NOVEL_OPEN, &TMainForm::NovelOpenClick},
        {ID_NOVEL_SAVE, &TMainForm::NovelSaveClick},
        {ID_NOVEL_SAVE_AS, &TMainForm::NovelSaveAsClick},
        {ID_ASSOCIATE, &TMainForm::AssociateClick},
        {ID_CHART_BMP_SAVE, &TMainForm::ChartBmpSaveClick},
        {ID_TEXT_SAVE, &TMainForm::TextSaveClick},
        {ID_PLANE_TEXT_SAVE, &TMainForm::PlaneTextSaveClick},
        {ID_EXIT, &TMainForm::ExitMenuClick},
        {ID_ARRANGE_WINDOW, &TMainForm::ArrangeWindowMenuClick},
        {ID_RESET_WINDOW_LAYOUT, &TMainForm::ResetWindowLayoutMenuClick},
        {ID_SAVE_WINDOW_LAYOUT, &TMainForm::SaveWindowLayoutMenuClick},
        {ID_CONTENTS, &TMainForm::Contents1Click},
        {ID_ABOUT, &TMainForm::AboutClick},
    };
    for (const auto& [id, click] : actions) {
        commands_.SetAction(id, [this, click = click] { (this->*click)(); });
    }
    const HMENU menu = GetMenu(Handle());
    fileMenu_ = FindPopupWithCommand(menu, ID_NOVEL_NEW);
    recentMenu_ = FindPopupWithCommand(menu, ID_RECENT_NONE);
    // The menus read right before any is opened (what tests and screen readers see).
    UpdateMenuCommands(menu, commands_);
    AddCommandToolBar(toolBar_.Handle());
    application_.SetIdleHandler([this] { UpdateCommands(); });
}

bool TMainForm::HandleCommand(int command) {
    if (command >= ID_RECENT_FIRST && command <= ID_RECENT_LAST) {
        RecentFileClick(command - ID_RECENT_FIRST);
        return true;
    }
    if (!commands_.Has(command)) {
        return false;
    }
    // A disabled command that arrives anyway (an accelerator, a stale button) does nothing.
    commands_.Run(command);
    return true;
}

void TMainForm::InitMenuPopup(HMENU popup) {
    if (popup == fileMenu_) {
        FileMainMenuClick();
    }
    UpdateMenuCommands(popup, commands_);
}

void TMainForm::AddCommandToolBar(HWND toolBar) {
    commandToolBars_.push_back(toolBar);
    UpdateToolButtons(toolBar, commands_);
}

void TMainForm::UpdateCommands() {
    for (const HWND toolBar : commandToolBars_) {
        if (IsWindow(toolBar)) {
            UpdateToolButtons(toolBar, commands_);
        }
    }
}

void TMainForm::MergeMenu(HMENU popup, const std::wstring& caption) {
    const HMENU bar = GetMenu(Handle());
    if (FindPopupPosition(bar, popup) >= 0) {
        return;
    }
    const int file = FindPopupPosition(bar, fileMenu_);
    InsertMenuW(bar, static_cast<UINT>(file + 1), MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(popup), caption.c_str());
    DrawMenuBar(Handle());
}

void TMainForm::UnmergeMenu(HMENU popup) {
    const HMENU bar = GetMenu(Handle());
    if (const int position = FindPopupPosition(bar, popup); position >= 0) {
        // Removed, not deleted: the popup belongs to the child and comes back with it.
        RemoveMenu(bar, static_cast<UINT>(position), MF_BYPOSITION);
        DrawMenuBar(Handle());
    }
}

void TMainForm::FileMainMenuClick() {
    while (GetMenuItemCount(recentMenu_) > 0) {
        DeleteMenu(recentMenu_, 0, MF_BYPOSITION);
    }
    const auto& paths = state_.recentFiles.Paths();
    const std::size_t count =
        std::min<std::size_t>(paths.size(), ID_RECENT_LAST - ID_RECENT_FIRST + 1);
    recentMenuPaths_.assign(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(count));
    if (recentMenuPaths_.empty()) {
        AppendMenuW(recentMenu_, MF_STRING | MF_GRAYED, ID_RECENT_NONE, L"(なし)");
        return;
    }
    for (std::size_t i = 0; i < recentMenuPaths_.size(); ++i) {
        AppendMenuW(recentMenu_, MF_STRING, ID_RECENT_FIRST + i,
                    MenuCaption(recentMenuPaths_[i]).c_str());
    }
}

void TMainForm::RecentFileClick(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= recentMenuPaths_.size()) {
        return;
    }
    // A copy: opening reorders the list the entries came from.
    const std::u16string path = recentMenuPaths_[static_cast<std::size_t>(index)];
    document_.OpenRecentFile(std::filesystem::path(path));
}

} // namespace miravo
