# Cross toolchain for the 32-bit Windows deliverables (mingw-w64, i686).
# Test executables run under Wine through the emulator wrapper, so one ctest
# covers native and Windows tests alike.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARVOK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
