# Cross toolchain: x86_64 Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MIRAVO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MIRAVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MIRAVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${MIRAVO_MINGW}-windres)

# MIRAVO_DEPS_PREFIX: where the Windows builds of the Debian source packages are installed.
set(CMAKE_FIND_ROOT_PATH /usr/${MIRAVO_MINGW})
if(MIRAVO_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${MIRAVO_DEPS_PREFIX})
  # Scintilla has a cache of its own beside the other libraries (cmake/build-deps.sh).
  get_filename_component(MIRAVO_DEPS_ROOT ${MIRAVO_DEPS_PREFIX} DIRECTORY)
  list(APPEND CMAKE_FIND_ROOT_PATH ${MIRAVO_DEPS_ROOT}/scintilla)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MIRAVO_DEPS_PREFIX)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
