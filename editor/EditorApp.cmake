# The Miravo program: its widgets, its windows and the document lifecycle.
#   miravo_document  portable: editor state, the document lifecycle, chart geometry
#   miravo_widgets   window, dialog and control wrappers, tool-bar panel, gauge, splash, labels
#   miravo_app       every window of the editor and its start-up (all of Miravo.exe but WinMain),
#                    so that GUI tests create the real windows in their own process
#   Miravo           the program
set(app_dir ${CMAKE_CURRENT_LIST_DIR})
miravo_add_library(miravo_document PORTABLE
  SOURCES ${app_dir}/EditorDocument.cpp ${app_dir}/ChartGeometry.cpp
  LIBS miravo_core miravo_services)

if(MIRAVO_WINDOWS)
  set(widgets_dir ${app_dir}/widgets)
  miravo_add_library(miravo_widgets
    SOURCES ${widgets_dir}/Application.cpp ${widgets_dir}/Controls.cpp ${widgets_dir}/Dialog.cpp
            ${widgets_dir}/GradientPanel.cpp ${widgets_dir}/Hint.cpp ${widgets_dir}/MdiWindows.cpp
            ${widgets_dir}/Paint.cpp ${widgets_dir}/ProgressGauge.cpp
            ${widgets_dir}/SplashWindow.cpp ${widgets_dir}/TextLabel.cpp ${widgets_dir}/WideText.cpp
            ${widgets_dir}/Window.cpp
    LIBS miravo_core comctl32)

  miravo_add_library(miravo_app
    SOURCES ${app_dir}/AboutForm.cpp ${app_dir}/ChartForm.cpp ${app_dir}/CounterForm.cpp
            ${app_dir}/EditorApplication.cpp ${app_dir}/MainForm.cpp ${app_dir}/MainFormLayout.cpp
            ${app_dir}/MainFormShell.cpp ${app_dir}/TextForm.cpp ${app_dir}/ThemeLevel.cpp
            ${app_dir}/ToolIcons.cpp ${app_dir}/Win32UserInteraction.cpp
    LIBS miravo_document miravo_widgets miravo_services_win32 comdlg32 shell32)

  add_executable(Miravo WIN32 ${app_dir}/WinMain.cpp ${app_dir}/Miravo.rc)
  target_link_libraries(Miravo PRIVATE miravo_app)
  # The resources include their manifest by a path from the source root.
  target_include_directories(Miravo PRIVATE ${CMAKE_SOURCE_DIR})
  set_source_files_properties(${app_dir}/Miravo.rc PROPERTIES OBJECT_DEPENDS ${app_dir}/Miravo.manifest)
  miravo_deliverable(Miravo)
endif()
