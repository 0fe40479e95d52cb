# Adds the benchmark targets to a build of the whole tree. scripts/bench.sh
# passes this file as CMAKE_PROJECT_Tarvok_INCLUDE, so the benchmark programs
# are configured only in the benchmark build directories and the everyday
# build never needs the peer libraries. The targets are read once the
# top-level list is done (a deferred call may include a file, though not add
# a folder), so every target and helper of the tree exists by then.
set(TARVOK_BENCH_TARGETS ${CMAKE_CURRENT_LIST_DIR}/BenchTargets.cmake)

function(tarvok_add_bench_targets)
  # Read already when the top-level list names the folder itself.
  get_property(added GLOBAL PROPERTY TARVOK_BENCH_ADDED)
  if(NOT added)
    include(${TARVOK_BENCH_TARGETS})
  endif()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tarvok_add_bench_targets)
