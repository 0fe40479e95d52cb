# Runs tarvok-eval over the shared corpus and compares its output byte for
# byte with the expected texts, so that the native and the Windows build are
# held to the same results.
#   -DEVAL=<tarvok-eval> [-DEMULATOR=<runner>] -DCORPUS=<in> -DEXPECTED=<out> -DACTUAL=<file>
execute_process(
  COMMAND ${EMULATOR} ${EVAL} -p 10
  INPUT_FILE ${CORPUS}
  OUTPUT_FILE ${ACTUAL}
  RESULT_VARIABLE status)
# The runner could not start the program here (a 32-bit build on a machine
# that runs no 32-bit program): its reason goes to the test's output, which
# CTest reads as "skipped".
if(status EQUAL 77)
  file(READ ${ACTUAL} reason)
  message("${reason}")
  return()
endif()
# Some corpus lines are errors on purpose: the tool then exits with 1.
if(NOT status EQUAL 1)
  message(FATAL_ERROR "tarvok-eval exited with ${status}, expected 1")
endif()
file(READ ${EXPECTED} expected)
file(READ ${ACTUAL} actual)
if(NOT actual STREQUAL expected)
  execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
  message(FATAL_ERROR "tarvok-eval output differs from ${EXPECTED}")
endif()
