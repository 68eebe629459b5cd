# MiravoHelp.chm beside Miravo.exe, compiled from the Japanese pages of this folder with chmcmd.
# The pages are UTF-8 HTML (they say so); the project, contents and index files are converted to
# Shift-JIS first, because the help viewer reads those in the code page of the help's language.
if(NOT MIRAVO_WINDOWS)
  return()
endif()
find_program(MIRAVO_CHMCMD chmcmd REQUIRED)
set(help_dir ${CMAKE_CURRENT_LIST_DIR})
file(GLOB help_sources CONFIGURE_DEPENDS ${help_dir}/*.html ${help_dir}/*.css ${help_dir}/*.hhp
     ${help_dir}/*.hhc ${help_dir}/*.hhk)
set(help_chm ${MIRAVO_BIN_DIR}/MiravoHelp.chm)
add_custom_command(OUTPUT ${help_chm}
  COMMAND ${help_dir}/compile-help.sh ${help_dir} ${CMAKE_BINARY_DIR}/help ${help_chm}
  DEPENDS ${help_sources} ${help_dir}/compile-help.sh
  COMMENT "Compiling MiravoHelp.chm"
  VERBATIM)
add_custom_target(miravo_help ALL DEPENDS ${help_chm})
