# Novel properties, counters and text windows.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/CounterForm.cpp)
# The novel properties dialog: its values and header mappings (portable) and its window.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/NovelPropertyValues.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/NovelPropertyForm.cpp)
# The counters and text windows as the settings window edits them, and the text window preview's
# arithmetic (portable); their dialogs.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/CounterOperations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextWindowOperations.cpp ${CMAKE_CURRENT_LIST_DIR}/TextWindowPreview.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/CounterEditForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextWindowEditForm.cpp)
# The templates of the counter and text window dialogs, which the program and their tests carry.
set(editor_properties_resources ${CMAKE_CURRENT_LIST_DIR}/Settings.rc)
