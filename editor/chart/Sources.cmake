# The flow chart: geometry, links, the pointer's drag, the editing operations (portable) and the
# chart window with its painter and size dialog.
list(APPEND editor_core_sources ${CMAKE_CURRENT_LIST_DIR}/ChartGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartLinks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartDrag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartOperations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartBitmapFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartRaster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartStampRaster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelperThread.cpp)
list(APPEND editor_window_sources ${CMAKE_CURRENT_LIST_DIR}/ChartForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartStamps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartGlyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartSizeForm.cpp)
