# The novel check: its report window and the way from a finding to its item and line.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/NovelCheckOperations.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/NovelCheckForm.cpp)
