# Cross-building for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix):
#   cmake -S cmake/core-only -B build-windows-core \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORA_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix flavour: its libstdc++ has std::thread and std::mutex, which GCC 12's win32 flavour
# lacks.
set(CMAKE_C_COMPILER ${VORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libstdc++, libgcc, winpthread) linked in, so that a program runs on any
# Windows, and under wine, as its one .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
