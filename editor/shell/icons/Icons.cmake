# The program's icons, drawn by code at build time (ProgramIcons.h) into MIRAVO_ICON_DIR, where
# the resources of Miravo.exe find them. The generator runs on the build machine: in the cross
# build the host's own compiler builds it, a few portable files with no library.
set(MIRAVO_ICON_DIR ${CMAKE_BINARY_DIR}/editor/icons CACHE INTERNAL "the generated icons")
set(MIRAVO_ICON_FILES ${MIRAVO_ICON_DIR}/Miravo.ico ${MIRAVO_ICON_DIR}/MiravoNovel.ico
    CACHE INTERNAL "the generated icons")
if(MIRAVO_WINDOWS)
  set(icon_dir ${CMAKE_CURRENT_LIST_DIR})
  find_program(MIRAVO_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  add_custom_command(OUTPUT ${MIRAVO_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MIRAVO_ICON_DIR}
    COMMAND ${MIRAVO_HOST_CXX} -std=c++20 -O2 -I${CMAKE_SOURCE_DIR} ${icon_dir}/ProgramIcons.cpp
            ${icon_dir}/MakeIcons.cpp -o ${MIRAVO_ICON_DIR}/make-icons
    COMMAND ${MIRAVO_ICON_DIR}/make-icons ${MIRAVO_ICON_DIR}
    DEPENDS ${icon_dir}/ProgramIcons.cpp ${icon_dir}/ProgramIcons.h ${icon_dir}/MakeIcons.cpp
    COMMENT "Drawing the program's icons"
    VERBATIM)
  add_custom_target(miravo_icons DEPENDS ${MIRAVO_ICON_FILES})
endif()
