# Shared part of the mingw-w64 toolchain files; the including file sets
# MINGW_HOST and MINGW_DEPS (the folder of .deps/ with its libraries).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_HOST}-windres)
if(NOT DEPS_PREFIX)
  get_filename_component(DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../.deps/${MINGW_DEPS}" ABSOLUTE)
endif()
set(CMAKE_FIND_ROOT_PATH ${DEPS_PREFIX} /usr/${MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
