# Playtest and distribution: the playtest dialog and the build wizard over the build steps of
# the document core.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/PlaytestOperation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SeedGenerator.cpp ${CMAKE_CURRENT_LIST_DIR}/WizardPages.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TestPlayForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExeWizardForm.cpp)
