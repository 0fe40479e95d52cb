# What both mingw-w64 toolchains share; TARVOK_MINGW_PREFIX names the target
# triplet and the including file sets the processor and the emulator.
# The posix thread model: GoogleTest needs std::mutex, which the win32 model
# of GCC 12 lacks. Everything is linked statically, so no DLL follows.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${TARVOK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVOK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TARVOK_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP      ${TARVOK_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVOK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything links the compiler runtime statically: the hook libraries are
# loaded into every program and must not drag libstdc++ DLLs along.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
