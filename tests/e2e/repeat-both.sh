#!/usr/bin/env bash
# The reliability run: every test that types into a program under Wine, in
# both builds, N times in a row with no retries. In each run the 32-bit tests
# run on one display and prefix and the 64-bit build's tests beside them on a
# display and prefix of their own, as in the test command; where the machine
# runs no 32-bit program, the 64-bit build's alone. With "busy", two
# processes keep both cores busy for the whole run. A selection (CTest's -R
# or -L ...) narrows both builds' tests, for example -R '^e2e_' for the
# end-to-end suite against each package.
#   bash tests/e2e/repeat-both.sh <runs> [busy|quiet] [ctest selection...]
# Needs build/windows and build/windows64 built (scripts/test.sh builds them).
source "$(dirname "$0")/../../scripts/fixed-layout.sh"
set -uo pipefail
cd "$(dirname "$0")/../.."
runs=${1:?runs}
mode=${2:-}
selection=("${@:3}")
source scripts/wine-env.sh
runs32=yes
tarvok_runs_32_bit >/dev/null || runs32=""

burners=() xvfb64_pid=""
stop_all() {
  [ ${#burners[@]} -gt 0 ] && kill "${burners[@]}" 2>/dev/null
  [ -n "$xvfb64_pid" ] && kill "$xvfb64_pid" 2>/dev/null
  tarvok_wine_down
}
trap stop_all EXIT
if [ "$mode" = busy ]; then
  for _ in $(seq "$(nproc)"); do
    ( while :; do :; done ) &
    burners+=($!)
  done
fi

tarvok_wine_up || exit 1
display32=$DISPLAY
tarvok_xvfb_up || exit 1
display64=$DISPLAY xvfb64_pid=$tarvok_xvfb_pid
tarvok_xvfb_pid=""   # tarvok_wine_down stops the 32-bit display only
tarvok_wine64_up || exit 1

passed=0
for run in $(seq "$runs"); do
  started=$SECONDS
  DISPLAY=$display64 bash tests/e2e/repeat.sh build/windows64 1 "${selection[@]}" >"build/repeat64-$run.log" 2>&1 &
  half64=$!
  status32=0
  if [ -n "$runs32" ]; then
    DISPLAY=$display32 bash tests/e2e/repeat.sh build/windows 1 "${selection[@]}" >"build/repeat32-$run.log" 2>&1
    status32=$?
  fi
  wait "$half64"; status64=$?
  if [ $status32 -eq 0 ] && [ $status64 -eq 0 ]; then
    passed=$((passed + 1))
    echo "run $run: passed ($((SECONDS - started)) s)"
  else
    echo "run $run: FAILED ($((SECONDS - started)) s)"
    grep -h 'run 1:' "build/repeat64-$run.log" ${runs32:+"build/repeat32-$run.log"}
  fi
done
only64=""
[ -n "$runs32" ] || only64=" (64-bit build only: this machine runs no 32-bit program)"
echo "$passed of $runs runs passed${mode:+ ($mode)}$only64"
[ "$passed" -eq "$runs" ]
