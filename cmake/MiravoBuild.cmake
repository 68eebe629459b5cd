# Build rules shared by every folder. Targets are declared through these functions so that one
# CMakeLists.txt serves both build trees:
#
#   miravo_add_library(name [PORTABLE] SOURCES ... [LIBS ...])
#       PORTABLE units (no <windows.h>) build in both trees; in the native tree they come twice:
#       `name` (sanitizers, fuzzer coverage: for tests and fuzzers) and `name_plain` (optimized:
#       for benchmarks and native tools). Other libraries build in the win64 tree only.
#   miravo_add_gtest(name SOURCES ... [LIBS ...] [NATIVE] [WINE] [DISPLAY] [SOUND] [TIMEOUT s])
#       A GoogleTest program. NATIVE: built and run natively with sanitizers. WINE: built for
#       Windows and run by ctest under Wine. DISPLAY/SOUND serialize tests that share the virtual
#       desktop or the recorded null sink. LABELS are added to the Wine test (native tests are
#       labelled "native").
#   miravo_add_fuzzer(name SOURCES ... [LIBS ...])       libFuzzer target (native, clang)
#   miravo_add_benchmark(name SOURCES ... [LIBS ...])    Google Benchmark program (native)
#   miravo_add_wine_test(name COMMAND ... [DISPLAY] [SOUND] [TIMEOUT s])
#       Any Windows command run under Wine by ctest.

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()
add_compile_options(-Wall -Wextra)

# Programs that the build runs under Wine (the generators) run one at a time: each starts the
# tree's Wine session of its own, and two starting at once would race for it.
set_property(GLOBAL APPEND PROPERTY JOB_POOLS wine_build=1)

if(MIRAVO_WINDOWS)
  # Static everything: the programs import only system DLLs.
  add_link_options(-static)
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)

  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  set(MIRAVO_WINE_SESSION ${CMAKE_BINARY_DIR}/wine)
  set(MIRAVO_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${MIRAVO_WINE_SESSION})
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MIRAVO_WINE_RUN})
else()
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
  set(MIRAVO_SANITIZE "address,undefined" CACHE STRING "Sanitizers for native tests (empty: none)")
  set(MIRAVO_SANITIZER_FLAGS "")
  if(MIRAVO_SANITIZE)
    set(MIRAVO_SANITIZER_FLAGS -fsanitize=${MIRAVO_SANITIZE} -fno-omit-frame-pointer
                               -fno-sanitize-recover=all)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(MIRAVO_FUZZING ON)
  else()
    set(MIRAVO_FUZZING OFF)
  endif()
  include(GoogleTest)
endif()

# Third-party libraries, found the same way in both trees (the win64 tree looks only in the
# dependency cache and the mingw sysroot, through the toolchain file).
function(miravo_import name header library)
  if(TARGET miravo::${name})
    return()
  endif()
  find_library(MIRAVO_${name}_LIBRARY NAMES ${library})
  find_path(MIRAVO_${name}_INCLUDE NAMES ${header})
  if(MIRAVO_${name}_LIBRARY AND MIRAVO_${name}_INCLUDE)
    add_library(miravo::${name} UNKNOWN IMPORTED GLOBAL)
    set_target_properties(miravo::${name} PROPERTIES IMPORTED_LOCATION ${MIRAVO_${name}_LIBRARY}
                                                     INTERFACE_INCLUDE_DIRECTORIES ${MIRAVO_${name}_INCLUDE})
    foreach(dep IN LISTS ARGN)
      set_property(TARGET miravo::${name} APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${dep})
    endforeach()
  else()
    message(WARNING "Miravo: ${name} (${library}) not found")
  endif()
endfunction()
miravo_import(ogg ogg/ogg.h ogg)
miravo_import(vorbis vorbis/codec.h vorbis miravo::ogg)
miravo_import(vorbisfile vorbis/vorbisfile.h vorbisfile miravo::vorbis)
miravo_import(vorbisenc vorbis/vorbisenc.h vorbisenc miravo::vorbis)
miravo_import(zlib zlib.h z)
miravo_import(png png.h png16 miravo::zlib)
miravo_import(jpeg jpeglib.h jpeg)
if(MIRAVO_WINDOWS)
  miravo_import(scintilla scintilla/Scintilla.h scintilla imm32 ole32 oleaut32 uuid msimg32 gdi32)
endif()
find_path(MIRAVO_JSON_INCLUDE NAMES nlohmann/json.hpp)
if(MIRAVO_JSON_INCLUDE)
  add_library(miravo::json INTERFACE IMPORTED GLOBAL)
  set_target_properties(miravo::json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${MIRAVO_JSON_INCLUDE})
endif()

# Maps LIBS onto the optimized variants of portable libraries (native tree).
function(miravo_plain_libs out)
  set(result "")
  foreach(lib IN LISTS ARGN)
    if(TARGET ${lib}_plain)
      list(APPEND result ${lib}_plain)
    else()
      list(APPEND result ${lib})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(miravo_sanitize target)
  if(NOT MIRAVO_WINDOWS AND MIRAVO_SANITIZER_FLAGS)
    target_compile_options(${target} PRIVATE ${MIRAVO_SANITIZER_FLAGS})
    target_link_options(${target} PUBLIC ${MIRAVO_SANITIZER_FLAGS})
  endif()
endfunction()

function(miravo_add_library name)
  cmake_parse_arguments(ARG "PORTABLE" "" "SOURCES;LIBS" ${ARGN})
  if(NOT MIRAVO_WINDOWS AND NOT ARG_PORTABLE)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  if(NOT MIRAVO_WINDOWS)
    miravo_sanitize(${name})
    if(MIRAVO_FUZZING)
      target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
    add_library(${name}_plain STATIC ${ARG_SOURCES})
    target_include_directories(${name}_plain PUBLIC ${CMAKE_SOURCE_DIR})
    miravo_plain_libs(plain ${ARG_LIBS})
    target_link_libraries(${name}_plain PUBLIC ${plain})
  endif()
endfunction()

function(miravo_add_wine_test name)
  cmake_parse_arguments(ARG "DISPLAY;SOUND" "TIMEOUT" "COMMAND;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_test(NAME ${name} COMMAND ${MIRAVO_WINE_RUN} --timeout ${ARG_TIMEOUT} ${ARG_COMMAND})
  set(locks "")
  if(ARG_DISPLAY)
    list(APPEND locks desktop)
  endif()
  if(ARG_SOUND)
    list(APPEND locks sound)
  endif()
  math(EXPR ctest_timeout "${ARG_TIMEOUT} + 30")
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ctest_timeout}
                                          LABELS "wine;${ARG_LABELS}")
  if(locks)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${locks}")
  endif()
endfunction()

function(miravo_add_gtest name)
  cmake_parse_arguments(ARG "NATIVE;WINE;DISPLAY;SOUND" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(MIRAVO_WINDOWS AND ARG_WINE)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    set(flags "")
    if(ARG_DISPLAY)
      list(APPEND flags DISPLAY)
    endif()
    if(ARG_SOUND)
      list(APPEND flags SOUND)
    endif()
    if(NOT ARG_TIMEOUT)
      set(ARG_TIMEOUT 300)
    endif()
    miravo_add_wine_test(${name} COMMAND $<TARGET_FILE:${name}> ${flags} TIMEOUT ${ARG_TIMEOUT}
                         LABELS ${ARG_LABELS})
  elseif(NOT MIRAVO_WINDOWS AND ARG_NATIVE)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    miravo_sanitize(${name})
    # Discovered tests carry the one label "native": gtest_discover_tests splits a label list
    # into separate properties, so LABELS apply to the Wine tests only.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
  endif()
endfunction()

function(miravo_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(MIRAVO_WINDOWS OR NOT MIRAVO_FUZZING)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  # The committed seed corpus is replayed in every test run; `make fuzz` explores from it.
  set(corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  if(EXISTS ${corpus})
    add_test(NAME ${name}_corpus COMMAND ${name} -runs=0 ${corpus})
    set_tests_properties(${name}_corpus PROPERTIES LABELS "native;fuzz")
  endif()
  set_property(GLOBAL APPEND PROPERTY MIRAVO_FUZZERS ${name})
endfunction()

function(miravo_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(MIRAVO_WINDOWS OR NOT TARGET benchmark::benchmark)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  miravo_plain_libs(plain ${ARG_LIBS})
  target_link_libraries(${name} PRIVATE ${plain} benchmark::benchmark)
  target_compile_options(${name} PRIVATE -O2)
  set_property(GLOBAL APPEND PROPERTY MIRAVO_BENCHMARKS ${name})
endfunction()

# Deliverables (Miravo.exe, MVSound.mvx, MiravoAssociator.exe, the tools, the help file) land
# side by side in one folder, as they are shipped: the editor finds the engine, the association
# tool and the help beside itself.
set(MIRAVO_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
function(miravo_deliverable target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MIRAVO_BIN_DIR}
                                             LIBRARY_OUTPUT_DIRECTORY ${MIRAVO_BIN_DIR})
endfunction()

# The editor's built-in pictures (tools/picturegen) as resources of a Windows program: the
# generated script names the PNG files, which the resource compiler finds beside it.
set(MIRAVO_BUILTIN_PICTURES_RC ${CMAKE_BINARY_DIR}/builtin-pictures/BuiltinPictures.rc)
function(miravo_embed_builtin_pictures target)
  set_source_files_properties(${MIRAVO_BUILTIN_PICTURES_RC} PROPERTIES GENERATED TRUE
    INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/builtin-pictures
    OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/builtin-pictures.stamp)
  target_sources(${target} PRIVATE ${MIRAVO_BUILTIN_PICTURES_RC})
  add_dependencies(${target} miravo_builtin_pictures)
endfunction()
