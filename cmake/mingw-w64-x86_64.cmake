# Cross-compiles for 64-bit Windows with MinGW-w64 (its POSIX-threads variant, whose standard
# library has std::thread and std::mutex) and runs what it builds under Wine: tests, test
# discovery and the build steps that run a tool built here (rescomp).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(STAKEWISE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${STAKEWISE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STAKEWISE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${STAKEWISE_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW tree only, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${STAKEWISE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthread) is linked into every program and
# library, so they run without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# Wine in a prefix of the build's own, started once and kept warm (see wine-run.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
