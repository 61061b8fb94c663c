# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the POSIX thread model,
# which std::thread and std::mutex need). Libraries are taken from the MinGW-w64 root and
# from KR6_WINDOWS_PREFIX, where tools/windows-build.sh installs those built for the
# target; the build machine's own libraries are never seen.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KR6_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KR6_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KR6_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KR6_MINGW}-windres)

set(KR6_WINDOWS_PREFIX "" CACHE PATH "Where the libraries built for Windows are installed")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KR6_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${KR6_MINGW} ${KR6_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe without DLLs beside it: the C++ runtime, libgcc and winpthreads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine.
find_program(KR6_WINE NAMES wine64 PATHS /usr/lib/wine)
if(KR6_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KR6_WINE})
endif()
