#!/usr/bin/env bash
# Runs the tests that type into programs under Wine N times in a row (no
# retries) and reports how many runs passed, with the failing tests of the
# others:
#   bash tests/e2e/repeat.sh <build dir> <runs> [ctest selection...]
# The selection defaults to every test that drives programs under Wine: the
# label e2e (the scenarios, those of calc.dll alone, the controller tests and
# the notepad scenario) and the resident calculations. DISPLAY and WINEPREFIX as for ctest
# (scripts/wine-env.sh).
source "$(dirname "$0")/../../scripts/fixed-layout.sh"
set -uo pipefail
build=${1:?build dir}
runs=${2:-20}
selection=("${@:3}")
[ ${#selection[@]} -gt 0 ] || selection=(-R '^(e2e_|engine_e2e_|app_controller_test$|app_controller_fault_test$|app_notepad_scenario$|resident_calc_test$)')
passed=0
for run in $(seq "$runs"); do
  started=$SECONDS
  if output=$(ctest --test-dir "$build" --output-on-failure "${selection[@]}" 2>&1); then
    passed=$((passed + 1))
    echo "run $run: passed ($((SECONDS - started)) s)"
  else
    echo "run $run: FAILED ($((SECONDS - started)) s): $(grep -E '^\s+[0-9]+ - ' <<<"$output" | tr -s ' ' | tr '\n' ';')"
    grep -E 'FAILED:|Failure|gave up' <<<"$output" | head -5
    # The next run starts by removing the scenarios' folders: keep them.
    kept="$build/e2e/failed-run-$run-$(date +%H%M%S)"
    mkdir -p "$kept"
    cp "$build/Testing/Temporary/LastTest.log" "$kept/" 2>/dev/null
    for failed in $(grep -oE 'e2e_[0-9]+' <<<"$output" | sort -u); do
      cp -r "$build"/e2e/"${failed#e2e_}"-* "$kept/" 2>/dev/null
    done
  fi
done
echo "$passed of $runs runs passed"
[ "$passed" -eq "$runs" ]
