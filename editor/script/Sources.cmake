# The item text editor and the command dialogs.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TextForm.cpp)
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ItemTextOperations.cpp)
# The command dialogs' rules (portable) and their windows, from the templates of
# CommandDialogs.rc, which the program and the dialogs' tests carry.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/FadeFormValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandDialogValues.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/DialogControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FadeForm.cpp)
set(editor_script_resources ${CMAKE_CURRENT_LIST_DIR}/CommandDialogs.rc)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TimeForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CounterForms.cpp ${CMAKE_CURRENT_LIST_DIR}/DisplayForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicForms.cpp ${CMAKE_CURRENT_LIST_DIR}/SoundForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CharacterForms.cpp ${CMAKE_CURRENT_LIST_DIR}/CommandDialogSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandDialogOpener.cpp)
# The script's line edits, the search routine and the link dialog's values, portable.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ScriptLineEdits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptSearch.cpp ${CMAKE_CURRENT_LIST_DIR}/LinkDialogValues.cpp)
# The window's commands, link panel and search; the search, replace and link dialogs.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TextFormCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFormLinks.cpp ${CMAKE_CURRENT_LIST_DIR}/TextFormSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchForms.cpp ${CMAKE_CURRENT_LIST_DIR}/PropertyForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListIcons.cpp)
