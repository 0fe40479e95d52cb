# Project-wide helpers: one warning list, one way to add a test executable.

# The 64-bit Windows build (preset windows64) builds only the 64-bit half.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TARVOK_WIN64 ON)
else()
  set(TARVOK_WIN64 OFF)
endif()

# Warnings for our own targets only (PRIVATE), never for third-party code.
function(tarvok_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Wunused -Woverloaded-virtual)
  if(TARVOK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# GoogleTest: the host has it installed; for the Windows build it is compiled
# from the packaged sources with the cross compiler.
macro(tarvok_find_gtest)
  if(CMAKE_CROSSCOMPILING)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endmacro()

# tarvok_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>]
#                 [TIMEOUT <seconds>])
# One executable per component, linked with gtest_main and registered with
# CTest. Windows executables run under Wine through the emulator.
function(tarvok_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  tarvok_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set(labels ${ARG_LABELS})
  if(CMAKE_CROSSCOMPILING)
    list(APPEND labels windows)
  else()
    list(APPEND labels native)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT ${ARG_TIMEOUT})
  tarvok_skips_without_32_bit(${name})
endfunction()

# A 32-bit Windows test cannot run where the machine runs no 32-bit program:
# its runner (cmake/wine-run.sh) then exits 77, reported as skipped. A
# GoogleTest executable never exits 77 by itself.
function(tarvok_skips_without_32_bit test)
  if(CMAKE_CROSSCOMPILING AND NOT TARVOK_WIN64)
    set_tests_properties(${test} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()
