# 64-bit Windows build of the same sources, for running the Windows tests
# under 64-bit Wine where the machine cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_HOST x86_64-w64-mingw32)
set(MINGW_DEPS win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
