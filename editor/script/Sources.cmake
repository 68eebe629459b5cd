# The item text editor and the command dialogs.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/TextForm.cpp)
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ItemTextOperations.cpp)
# The script's line edits and the search routine, portable.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ScriptLineEdits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptSearch.cpp)
