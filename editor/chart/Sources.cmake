# The flow chart: geometry and the chart window.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ChartGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartOperations.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/ChartForm.cpp)
