# The document core: novel model and file, script language, text exports, Shift-JIS text. No
# <windows.h> except in the one platform file, so it builds natively as well.
set(miravo_core_sources
  editor/ShiftJis.cpp
  editor/ShiftJisTable.cpp
  editor/ByteStream.cpp
  editor/TextLines.cpp
  editor/NovelData.cpp
  editor/NovelFile.cpp
  editor/NovelDocument.cpp
  editor/FileAccess.cpp
  editor/CommandParser.cpp
  editor/CommandStrings.cpp
  editor/NovelExport.cpp)
if(MIRAVO_WINDOWS)
  list(APPEND miravo_core_sources editor/FileAccessWin32.cpp)
else()
  list(APPEND miravo_core_sources editor/FileAccessPosix.cpp)
endif()
list(TRANSFORM miravo_core_sources PREPEND ${CMAKE_SOURCE_DIR}/)
miravo_add_library(miravo_core PORTABLE SOURCES ${miravo_core_sources})
