# Benchmarks against the peers and of the deliverables. Not part of the
# everyday build: scripts/bench.sh adds these targets to its own release
# build directories (see AddToBuild.cmake) and installs the peer libraries
# first. Included from a deferred call too, so every path is absolute.
set_property(GLOBAL PROPERTY TARVOK_BENCH_ADDED TRUE)
set(bench_dir ${CMAKE_CURRENT_LIST_DIR})

if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(BENCH_PEERS REQUIRED IMPORTED_TARGET muparser muparserx libqalculate)

  # Our evaluator and the three peers behind one interface.
  add_library(tarvok_bench_peers STATIC
    ${bench_dir}/PeerEvaluators.cpp ${bench_dir}/PeerMuparser.cpp ${bench_dir}/PeerMuparserx.cpp ${bench_dir}/PeerQalculate.cpp ${bench_dir}/PeerTarvok.cpp
    ${bench_dir}/PeerTiming.cpp ${bench_dir}/Statistics.cpp)
  target_include_directories(tarvok_bench_peers PUBLIC ${bench_dir})
  target_link_libraries(tarvok_bench_peers PUBLIC calc_result PkgConfig::BENCH_PEERS)
  tarvok_warnings(tarvok_bench_peers)

  add_executable(tarvok-bench-peers ${bench_dir}/evaluator_peers.cpp)
  target_link_libraries(tarvok-bench-peers PRIVATE tarvok_bench_peers)
  tarvok_warnings(tarvok-bench-peers)

  tarvok_add_test(bench_peers_test
    SOURCES ${bench_dir}/tests/StatisticsTest.cpp ${bench_dir}/tests/CommonSetTest.cpp
    LIBS tarvok_bench_peers LABELS bench)
endif()
