#!/usr/bin/env bash
# Every test of all builds: installs what is missing, configures and builds
# the native and the two Windows presets, and runs all tests, the Windows
# ones under Wine in private prefixes and private X displays.
source "$(dirname "$0")/fixed-layout.sh"
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
cmake --preset windows -DTARVOK_WERROR=ON >/dev/null || exit 1
cmake --preset windows64 -DTARVOK_WERROR=ON >/dev/null || exit 1
# Where no 32-bit program runs, the 32-bit build gives only what the x64
# package ships (tarvok32.exe, calc.dll) and what the package checks read;
# its tests would only be skipped.
windows_targets=(all)
[ "$TARVOK_RUNS_32BIT" = yes ] || windows_targets=(calc tarvok tarvok_helper tarvok_language_files tarvok_help)
cmake --build --preset windows -j "$jobs" --target "${windows_targets[@]}" || exit 1
cmake --build --preset windows64 -j "$jobs" || exit 1
# Built before the Windows tests start and run after them: a build or the
# fuzz run beside three lanes of programs under Wine would starve them.
cmake --build --preset native -j "$jobs" >build/native-build.log 2>&1 || { cat build/native-build.log; exit 1; }

trap tarvok_wine_down EXIT

# The 64-bit tests run on X displays and in 64-bit prefixes of their own,
# beside the 32-bit tests: they spend most of their
# time waiting for Wine programs and pass with both cores busy. Where no
# 32-bit test runs, they take three lanes: the scenarios against the x64
# package; those of the hook library alone with the controller's fault
# test; the rest.
windows64_lane() {  # windows64_lane <name> <ctest arguments...>
  local name=$1
  shift
  export TARVOK_PREFIX64=$TARVOK_PREFIX64-$name
  trap 'WINEPREFIX=$TARVOK_PREFIX64 wineserver -k 2>/dev/null; kill $tarvok_xvfb_pid 2>/dev/null' EXIT
  tarvok_xvfb_up || return 1
  tarvok_wine64_up || return 1
  ctest --preset windows64 "$@"
}
if [ "$TARVOK_RUNS_32BIT" = yes ]; then
  windows64_lanes=(all)
  ( windows64_lane all ) >build/windows64-all-tests.log 2>&1 &
  windows64_pids=($!)
else
  windows64_lanes=(scenarios engine rest)
  engine_lane='^(engine_e2e_.*|app_controller_fault_test)$'
  ( windows64_lane scenarios -R '^e2e_' ) >build/windows64-scenarios-tests.log 2>&1 &
  windows64_pids=($!)
  ( windows64_lane engine -R "$engine_lane" ) >build/windows64-engine-tests.log 2>&1 &
  windows64_pids+=($!)
  ( windows64_lane rest -E "^e2e_|$engine_lane" ) >build/windows64-rest-tests.log 2>&1 &
  windows64_pids+=($!)
fi

status=0
windows_log=build/windows-tests.log
echo "== 32-bit Windows tests under Wine"
tarvok_wine_up || exit 1
# They share one wineserver and one desktop: one at a time.
ctest --preset windows 2>&1 | tee "$windows_log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
logs=("$windows_log")
for lane in "${!windows64_lanes[@]}"; do
  echo "== 64-bit Windows tests under Wine (${windows64_lanes[$lane]}), in a 64-bit prefix"
  wait "${windows64_pids[$lane]}" || status=1
  logs+=("build/windows64-${windows64_lanes[$lane]}-tests.log")
  cat "${logs[-1]}"
done
echo "== native tests"
native_log=build/native-tests.log
ctest --preset native -j "$jobs" >"$native_log" 2>&1 || status=1
cat "$native_log"
logs+=("$native_log")

# One line for all reports: a test counts as failed unless CTest
# said it passed or was skipped.
grep -hE '^ *[0-9]+/[0-9]+ Test +#' "${logs[@]}" | awk '
  / Passed / { passed++; next }
  /\*\*\*Skipped/ { skipped++; next }
  { failed++ }
  END { printf "Tests: %d passed, %d failed, %d skipped\n", passed, failed, skipped }'
exit $status
