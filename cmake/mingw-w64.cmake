# Cross-building for 64-bit Windows with Debian's mingw-w64 (the -posix
# compilers: GCC 12's <mutex> needs the posix thread model).
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DZD_WINDOWS_PREFIX=DIR ...
#
# ZD_WINDOWS_PREFIX is where scripts/windows_libs.sh installed SDL2,
# SDL2_mixer, libpng and GoogleTest for Windows. Programs that CMake runs at
# build time (the tests' discovery, the level builder) run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZD_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZD_MINGW_TRIPLE}-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZD_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${ZD_MINGW_TRIPLE})
if(ZD_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${ZD_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime and winpthread go into every program, so that a game folder
# needs no DLL beyond SDL2's and SDL2_mixer's.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc")

# zlib from Debian's libz-mingw-w64-dev, linked in statically.
set(ZLIB_LIBRARY /usr/${ZD_MINGW_TRIPLE}/lib/libz.a CACHE FILEPATH "zlib for Windows")
set(ZLIB_INCLUDE_DIR /usr/${ZD_MINGW_TRIPLE}/include CACHE PATH "zlib headers for Windows")

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
