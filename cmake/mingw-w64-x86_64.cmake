# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model: std::thread and
# std::mutex need it with GCC 12). Programs are run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRIXEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRIXEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRIXEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRIXEL_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw sysroot, plus whatever was built for this leg.
set(CMAKE_FIND_ROOT_PATH /usr/${BRIXEL_MINGW_TRIPLE} ${BRIXEL_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
