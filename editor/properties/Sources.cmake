# Novel properties, counters and text windows.
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/CounterForm.cpp)
