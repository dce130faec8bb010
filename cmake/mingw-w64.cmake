# Cross-builds the Windows programs and libraries with MinGW-w64 (Debian's
# g++-mingw-w64-x86-64-posix), e.g.
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The tests then run under Wine (scripts/test-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(zor_mingw x86_64-w64-mingw32)
# The posix flavour: its libstdc++ has std::thread and std::mutex.
set(CMAKE_C_COMPILER ${zor_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${zor_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${zor_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${zor_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs carry the compiler's runtime inside, so the zip needs no
# libstdc++ or libgcc DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Tests run the programs through Wine.
find_program(ZOR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ZOR_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZOR_WINE})
endif()
