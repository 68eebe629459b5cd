#pragma once

#include "editor/shell/RecentFiles.h"

#include <filesystem>

namespace miravo {

// Last numbers used for the names of new items, counters and text windows; a new novel starts
// them again.
struct NewNameNumbers {
    int item = 0;
    int counter = 0;
    int textWindow = 0;
};

// The editor's state beside the model, held by the main window for the whole run.
struct EditorState {
    std::filesystem::path programFolder;
    // The settings file and the scratch file "$testplay.tmp": the program folder, or the local
    // application data folder when the program folder is not writable (DataFolder.h).
    std::filesystem::path dataFolder;
    // The novel's file; the untitled name for a new novel.
    std::filesystem::path currentFilePath;
    // Folder of the file last opened or saved under a name; a new novel keeps it, so that the
    // dialogs still start there.
    std::filesystem::path novelFolder;
    bool hasFileName = false;
    bool modified = false;
    int currentItem = 0;
    int currentLinkSlot = 0;
    NewNameNumbers newNames;
    bool firstRun = false;
    RecentFiles recentFiles;
};

} // namespace miravo
