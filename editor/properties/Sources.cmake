# Novel properties, counters and text windows.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/CounterForm.cpp)
# The novel properties dialog: its values and header mappings (portable) and its window.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/NovelPropertyValues.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/NovelPropertyForm.cpp)
