# 32-bit Windows, posix thread model (std::thread, std::mutex): what ships.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_HOST i686-w64-mingw32)
set(MINGW_DEPS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
