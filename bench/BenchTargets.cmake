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
    ${bench_dir}/QalculatePrinted.cpp
    ${bench_dir}/PeerTiming.cpp ${bench_dir}/Statistics.cpp ${bench_dir}/ValueCheck.cpp)
  target_include_directories(tarvok_bench_peers PUBLIC ${bench_dir})
  target_link_libraries(tarvok_bench_peers PUBLIC calc_result PkgConfig::BENCH_PEERS)
  tarvok_warnings(tarvok_bench_peers)

  add_executable(tarvok-bench-peers ${bench_dir}/evaluator_peers.cpp)
  target_link_libraries(tarvok-bench-peers PRIVATE tarvok_bench_peers)
  tarvok_warnings(tarvok-bench-peers)

  # The x87 hand-back sequences, for the analysis of the comparison.
  add_executable(tarvok-bench-fpu ${bench_dir}/fpu_environment_cost.cpp ${bench_dir}/Statistics.cpp)
  target_include_directories(tarvok-bench-fpu PRIVATE ${bench_dir})
  tarvok_warnings(tarvok-bench-fpu)

  tarvok_add_test(bench_peers_test
    SOURCES ${bench_dir}/tests/StatisticsTest.cpp ${bench_dir}/tests/CommonSetTest.cpp
            ${bench_dir}/tests/ValueCheckTest.cpp ${bench_dir}/tests/PeerTimingTest.cpp
            ${bench_dir}/tests/QalculatePrintedTest.cpp
    LIBS tarvok_bench_peers LABELS bench)

  find_package(Python3 COMPONENTS Interpreter QUIET)
  if(Python3_FOUND)
    add_test(NAME bench_report_test
             COMMAND ${Python3_EXECUTABLE} -m unittest discover -s ${bench_dir}/tests -p "test_*.py")
    set_tests_properties(bench_report_test PROPERTIES LABELS "bench;native")
  endif()
endif()

if(WIN32)
  # The yardstick DLL for the attach benchmark, linked like calc.dll.
  add_library(tarvok-bench-empty SHARED ${bench_dir}/win/EmptyLibrary.cpp)
  target_link_options(tarvok-bench-empty PRIVATE -Wl,--kill-at -Wl,--gc-sections -s)
  tarvok_warnings(tarvok-bench-empty)

  # The process counters come from the tests' support library (tests/support).
  add_library(tarvok_bench_win STATIC
    ${bench_dir}/Statistics.cpp ${bench_dir}/win/TargetField.cpp)
  target_include_directories(tarvok_bench_win PUBLIC ${bench_dir} ${bench_dir}/win)
  target_link_libraries(tarvok_bench_win PUBLIC tarvok_contract tarvok_process_counters user32)
  tarvok_warnings(tarvok_bench_win)

  add_executable(tarvok-bench-attach ${bench_dir}/win/dll_attach.cpp)
  add_executable(tarvok-bench-typing ${bench_dir}/win/typing_cost.cpp)
  add_executable(tarvok-bench-resident ${bench_dir}/win/resident_resources.cpp)
  add_executable(tarvok-bench-paste ${bench_dir}/win/paste_control.cpp)
  add_executable(tarvok-bench-quiet WIN32 ${bench_dir}/win/quiet_target.cpp)
  tarvok_warnings(tarvok-bench-quiet)

  foreach(program tarvok-bench-attach tarvok-bench-typing tarvok-bench-resident tarvok-bench-paste)
    target_link_libraries(${program} PRIVATE tarvok_bench_win)
    tarvok_warnings(${program})
  endforeach()

  tarvok_add_test(bench_counters_test
    SOURCES ${bench_dir}/tests/win/QuietTargetTest.cpp
    LIBS tarvok_bench_win LABELS bench)
  target_compile_definitions(bench_counters_test PRIVATE TARVOK_BENCH_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_dependencies(bench_counters_test tarvok-bench-quiet)

  set_target_properties(tarvok-bench-empty tarvok-bench-attach tarvok-bench-typing tarvok-bench-resident
                        tarvok-bench-quiet tarvok-bench-paste
    PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
               LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
