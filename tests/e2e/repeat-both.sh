#!/usr/bin/env bash
# The reliability run: every test that types into a program under Wine, in
# both halves, N times in a row with no retries. In each run the 32-bit tests
# run on one display and prefix and the 64-bit half's tests beside them on a
# display and prefix of their own, as in the test command. With "busy", two
# processes keep both cores busy for the whole run.
#   bash tests/e2e/repeat-both.sh <runs> [busy]
# Needs build/windows and build/windows64 built (scripts/test.sh builds them).
set -uo pipefail
cd "$(dirname "$0")/../.."
runs=${1:?runs}
mode=${2:-}
source scripts/wine-env.sh

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
  DISPLAY=$display64 bash tests/e2e/repeat.sh build/windows64 1 >"build/repeat64-$run.log" 2>&1 &
  half64=$!
  DISPLAY=$display32 bash tests/e2e/repeat.sh build/windows 1 >"build/repeat32-$run.log" 2>&1
  status32=$?
  wait "$half64"; status64=$?
  if [ $status32 -eq 0 ] && [ $status64 -eq 0 ]; then
    passed=$((passed + 1))
    echo "run $run: passed ($((SECONDS - started)) s)"
  else
    echo "run $run: FAILED ($((SECONDS - started)) s)"
    grep -h 'run 1:' "build/repeat32-$run.log" "build/repeat64-$run.log"
  fi
done
echo "$passed of $runs runs passed${mode:+ ($mode)}"
[ "$passed" -eq "$runs" ]
