# Editor services: the settings file, the recent files, the window layout, the sound engine
# binding and the help file.
#   miravo_services        portable: recent-file list, settings keys and values, layout arithmetic
#   miravo_services_win32  the profile file, layout on real windows, the MVSound.mvx binding
set(services_dir ${CMAKE_CURRENT_LIST_DIR})
miravo_add_library(miravo_services PORTABLE
  SOURCES ${services_dir}/RecentFiles.cpp ${services_dir}/Settings.cpp ${services_dir}/WindowLayout.cpp)
miravo_add_library(miravo_services_win32
  SOURCES ${services_dir}/SettingsIniFile.cpp ${services_dir}/WindowLayoutWin32.cpp
          ${services_dir}/MVSound.cpp
  LIBS miravo_services miravo_core)

include(${services_dir}/help/Help.cmake)
