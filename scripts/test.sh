#!/usr/bin/env bash
# Every test of both builds: installs what is missing, configures and builds
# the native and the Windows presets, and runs all tests, the Windows ones
# under Wine in a private prefix and a private X display.
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh || exit 1
source scripts/wine-env.sh
# Asked once; every test of the run takes this answer.
if reason=$(tarvok_runs_32_bit); then
  export TARVOK_RUNS_32BIT=yes
  echo "== This machine runs 32-bit programs: the 32-bit build's tests run too."
else
  export TARVOK_RUNS_32BIT=no
  echo "== ${reason^}."
  echo "== Every test that needs a 32-bit program is reported as skipped."
fi

jobs=$(nproc)
cmake --preset native -DTARVOK_WERROR=ON >/dev/null || exit 1
cmake --build --preset native -j "$jobs" || exit 1
cmake --preset windows -DTARVOK_WERROR=ON >/dev/null || exit 1
cmake --build --preset windows -j "$jobs" || exit 1
cmake --preset windows64 -DTARVOK_WERROR=ON >/dev/null || exit 1

trap tarvok_wine_down EXIT
tarvok_wine_up || exit 1

# The 64-bit half builds (one core, at low priority, where the 32-bit tests
# run beside it), gets its prefix and runs
# its tests on an X display of its own beside the 32-bit Windows tests, which
# spend most of their time waiting for Wine programs and pass with both cores
# busy. Its report follows theirs.
half64_jobs=1
[ "$TARVOK_RUNS_32BIT" = yes ] || half64_jobs=$jobs   # nothing runs beside it then
run_64bit_half() {
  nice cmake --build --preset windows64 -j "$half64_jobs" >build/windows64-build.log 2>&1 \
    || { cat build/windows64-build.log; return 1; }
  tarvok_xvfb_up || return 1
  tarvok_wine64_up || { kill "$tarvok_xvfb_pid"; return 1; }
  local status=0
  ctest --preset windows64 || status=1
  WINEPREFIX=$TARVOK_PREFIX64 wineserver -k 2>/dev/null
  kill "$tarvok_xvfb_pid"; wait "$tarvok_xvfb_pid" 2>/dev/null
  return $status
}
tarvok_wine64_started=1   # so that an interrupted run stops its server too
half64_log=build/windows64-tests.log
( run_64bit_half ) >"$half64_log" 2>&1 &
half64_pid=$!

# The native tests (most of their time is the fuzz run, one core) run beside
# the Windows tests, which spend most of theirs waiting for Wine programs;
# the Windows tests pass with both cores busy. Their report follows.
native_log=build/native-tests.log
ctest --preset native -j "$jobs" >"$native_log" 2>&1 &
native_pid=$!

status=0
windows_log=build/windows-tests.log
echo "== Windows tests under Wine"
# The Windows tests share one wineserver and one desktop: run them one at a time.
ctest --preset windows 2>&1 | tee "$windows_log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
echo "== the 64-bit half under Wine, in its 64-bit prefix"
wait $half64_pid || status=1
cat "$half64_log"
echo "== native tests"
wait $native_pid || status=1
cat "$native_log"

# One line for the three reports: a test counts as failed unless CTest
# said it passed or was skipped.
grep -hE '^ *[0-9]+/[0-9]+ Test +#' "$windows_log" "$half64_log" "$native_log" | awk '
  / Passed / { passed++; next }
  /\*\*\*Skipped/ { skipped++; next }
  { failed++ }
  END { printf "Tests: %d passed, %d failed, %d skipped\n", passed, failed, skipped }'
exit $status
