# Start-up, main window, document lifecycle, settings file, window layout, sound binding, about.
set(dir ${CMAKE_CURRENT_LIST_DIR})
list(APPEND editor_core_sources
  ${dir}/AboutValues.cpp ${dir}/CommandTable.cpp ${dir}/DocumentLifecycle.cpp
  ${dir}/EditorCommands.cpp ${dir}/EditorSession.cpp ${dir}/RecentFiles.cpp ${dir}/Settings.cpp
  ${dir}/WindowLayout.cpp ${dir}/icons/ProgramIcons.cpp)
list(APPEND editor_window_sources
  ${dir}/AboutForm.cpp ${dir}/CommandUpdate.cpp ${dir}/DataFolder.cpp ${dir}/EditorApplication.cpp ${dir}/MainForm.cpp
  ${dir}/MainFormCommands.cpp ${dir}/MainFormLayout.cpp
  ${dir}/MainFormShell.cpp ${dir}/ThemeLevel.cpp ${dir}/ToolIcons.cpp
  ${dir}/Win32UserInteraction.cpp ${dir}/SettingsIniFile.cpp ${dir}/WindowLayoutWin32.cpp
  ${dir}/MVSound.cpp)
