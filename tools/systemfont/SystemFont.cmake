# The built-in system font, generated at build time: the tool (built for the
# build machine, also in the Windows builds) rasterises DejaVu Sans
# (fonts-dejavu-core) with stb_truetype (libstb-dev) into a glyph sheet, its
# description and a C++ file holding both.
#
# rs_generate_system_font(FOLDER) makes FOLDER/systemfont.png,
# FOLDER/systemfont.txt and FOLDER/SystemFontData.cpp outputs of the calling
# directory.

find_file(RS_SYSTEM_FONT_TTF DejaVuSans.ttf PATHS /usr/share/fonts/truetype/dejavu
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
# The host compiler finds stb in its own /usr/include.
find_path(RS_HOST_STB_DIR stb/stb_truetype.h PATHS /usr/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT RS_SYSTEM_FONT_TTF OR NOT RS_HOST_STB_DIR)
  message(FATAL_ERROR "DejaVuSans.ttf or stb_truetype.h missing: run scripts/setup")
endif()

set(_rs_systemfont_source ${CMAKE_CURRENT_LIST_DIR}/SystemFontTool.cpp)

function(rs_generate_system_font folder)
  if(CMAKE_CROSSCOMPILING)
    find_program(RS_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
    set(tool ${CMAKE_CURRENT_BINARY_DIR}/systemfont_tool)
    add_custom_command(OUTPUT ${tool}
      COMMAND ${RS_HOST_CXX} -std=c++17 -O2 ${_rs_systemfont_source} -o ${tool}
      DEPENDS ${_rs_systemfont_source}
      COMMENT "Building the system font tool for the build machine")
    set(tool_depends ${tool})
  else()
    add_executable(systemfont_tool ${_rs_systemfont_source})
    set(tool $<TARGET_FILE:systemfont_tool>)
    set(tool_depends systemfont_tool)
  endif()
  add_custom_command(
    OUTPUT ${folder}/systemfont.png ${folder}/systemfont.txt ${folder}/SystemFontData.cpp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${tool} ${RS_SYSTEM_FONT_TTF} ${folder}
    DEPENDS ${tool_depends} ${RS_SYSTEM_FONT_TTF}
    COMMENT "Generating the system font")
endfunction()
