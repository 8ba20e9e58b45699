# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX thread model, so std::thread and
# std::mutex work). How the programs link the compiler's runtime is cmake/windows-cross.cmake's business.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELKOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELKOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELKOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELKOR_MINGW_PREFIX}-windres)

# Libraries and packages come only from the MinGW tree; build tools still come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VELKOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
