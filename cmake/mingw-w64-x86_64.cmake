# Cross-compiles Batora for 64-bit Windows with Debian's mingw-w64 (the posix thread model,
# which std::thread needs). Libraries for the target, such as GoogleTest, are looked for under
# the mingw sysroot and under BATORA_WIN_PREFIX when that is set.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BATORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BATORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BATORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${BATORA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BATORA_MINGW_TRIPLET} ${BATORA_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executables carry their C++ runtime, so that they start on any Windows (and under Wine)
# without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
