# Cross toolchain for the 64-bit half (mingw-w64, x86_64): calc64.dll, the
# helper that installs it, and the evaluator and engine tests. They run
# under Wine in a 64-bit prefix of their own.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARVOK_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine64-run.sh)
