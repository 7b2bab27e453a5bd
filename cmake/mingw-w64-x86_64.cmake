# Builds the core, quorvex-convert.exe and the tests for 64-bit Windows with Debian's MinGW-w64
# compiler (g++-mingw-w64-x86-64-posix), and runs the tests under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUORVEX_GUI=OFF -DQUORVEX_BENCH=OFF
#   cmake --build build-windows -j"$(nproc)" && ctest --test-dir build-windows -j"$(nproc)"
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix flavour: GCC 12's win32 flavour has no std::thread or std::mutex, which the run's
# workers use.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers from the MinGW-w64 tree only; package configurations from the host too,
# for the header-only CLI11 and nlohmann-json (src/cli/CMakeLists.txt keeps their include folder,
# the host's /usr/include, off the compiler's path).
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The C++ runtime and the threads library linked in, so that a .exe runs without any DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test programs run under Wine, in a Wine prefix of the build folder's own (made when the tests are
# configured), without a display and without Wine's own messages; Mono, Gecko and the desktop
# menu entries are never installed into it.
find_program(QUORVEX_WINE wine)
if(QUORVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix
      WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d ${QUORVEX_WINE})
endif()
