# Flags for the project's own targets. Third-party headers come in through
# imported targets, whose include folders are system folders, so -Werror
# applies to our code only.
add_compile_options(-Wall -Wextra -Werror)

if(RS_WIN32)
  # One executable or DLL that needs only Windows system DLLs.
  string(APPEND CMAKE_EXE_LINKER_FLAGS " -static")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " -static")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(RS_WINE_ARCH win64)
  else()
    set(RS_WINE_ARCH win32)
  endif()
  set(RS_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run" --arch ${RS_WINE_ARCH}
                  --prefix "${CMAKE_BINARY_DIR}/wineprefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RS_EMULATOR})
endif()

if(RS_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
