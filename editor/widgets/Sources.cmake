# The editor's own controls and window wrappers.
list(APPEND editor_widget_sources
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/GradientPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hint.cpp ${CMAKE_CURRENT_LIST_DIR}/MdiWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paint.cpp ${CMAKE_CURRENT_LIST_DIR}/ProgressGauge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplashWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/TextLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WideText.cpp ${CMAKE_CURRENT_LIST_DIR}/Window.cpp)
list(APPEND editor_widget_sources
  ${CMAKE_CURRENT_LIST_DIR}/RasterPaint.cpp ${CMAKE_CURRENT_LIST_DIR}/FileListRow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BuiltinPictureResource.cpp)
list(APPEND editor_widget_sources
  ${CMAKE_CURRENT_LIST_DIR}/CustomControl.cpp ${CMAKE_CURRENT_LIST_DIR}/NumeralEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CuteButton.cpp ${CMAKE_CURRENT_LIST_DIR}/HeaderList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureImages.cpp)
# The script editing control on Scintilla (Windows only, like every widget).
list(APPEND editor_widget_sources ${CMAKE_CURRENT_LIST_DIR}/ScriptEditControl.cpp)
