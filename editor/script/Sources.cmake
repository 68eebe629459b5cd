# The item text editor and the command dialogs.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TextForm.cpp)
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ItemTextOperations.cpp)
# The script's line edits, the search routine and the link dialog's values, portable.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ScriptLineEdits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptSearch.cpp ${CMAKE_CURRENT_LIST_DIR}/LinkDialogValues.cpp)
# The window's commands, link panel and search; the search, replace and link dialogs.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TextFormCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFormLinks.cpp ${CMAKE_CURRENT_LIST_DIR}/TextFormSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchForms.cpp ${CMAKE_CURRENT_LIST_DIR}/PropertyForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CounterIcon.cpp)
