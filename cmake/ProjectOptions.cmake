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
    # Every machine that runs these programs has SSE2: the shipped build takes
    # the SSE2 paths of the picture packer and the frame upload. Windows keeps
    # 32-bit stacks only 4-byte aligned: realign where SSE2 spills need 16.
    add_compile_options(-msse2 -mstackrealign)
  endif()
  set(RS_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run" --arch ${RS_WINE_ARCH}
                  --prefix "${CMAKE_BINARY_DIR}/wineprefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RS_EMULATOR})

  # Some machines cannot execute 32-bit programs, and so cannot run 32-bit
  # Wine: there the i686 tests are built but not registered with ctest (the
  # x86_64 build runs them instead). The scripts' probe decides, so that the
  # build and the scripts never disagree.
  set(RS_RUN_WINDOWS_TESTS ON)
  if(RS_WINE_ARCH STREQUAL "win32")
    execute_process(COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/wine-env' && wine_arch"
                    OUTPUT_VARIABLE _runnable_arch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT _runnable_arch STREQUAL "win32")
      set(RS_RUN_WINDOWS_TESTS OFF)
      message(STATUS "This machine cannot run 32-bit programs: i686 tests are built, not run")
    endif()
  endif()
endif()

if(RS_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
