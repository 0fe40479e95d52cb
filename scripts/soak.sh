#!/usr/bin/env bash
# The long runs that do not fit the test command: an hour of fuzzing the
# evaluator under the address and undefined-behaviour sanitizers, then every
# test again with TARVOK_SOAK=1, which makes the stress tests repeat far more
# often (hot keys in a row, calculations in a resident program, Disable and
# Enable cycles). It builds its own trees (build/soak-*), so that the test
# command's time limits, raised here for the long variants, stay as they are.
#
#   scripts/soak.sh [fuzz seconds]      (default 3600)
source "$(dirname "$0")/fixed-layout.sh"
set -uo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${1:-3600}
./scripts/deps.sh || exit 1

jobs=$(nproc)
for preset in native windows windows64; do
  # The 64-bit scenario takes tarvok.exe from the 32-bit soak tree.
  cmake --preset $preset -B build/soak-$preset -DTARVOK_WERROR=ON \
    -DTARVOK_BIN32_DIR="$PWD/build/soak-windows/bin" >/dev/null || exit 1
  cmake --build build/soak-$preset -j "$jobs" || exit 1
  # Each test keeps its own limit in the test command; here it gets ten hours.
  find build/soak-$preset -name CTestTestfile.cmake -exec sed -i 's/TIMEOUT "[0-9.]*"/TIMEOUT "36000"/' {} +
done

export TARVOK_SOAK=1
status=0
echo "== fuzzing the evaluator for $fuzz_seconds s"
evaluator/fuzz/run-fuzz.sh build/soak-native/evaluator/fuzz "$fuzz_seconds" || status=1

echo "== native tests, long variants"
ctest --test-dir build/soak-native -E evaluator_fuzz || status=1

source scripts/wine-env.sh
trap tarvok_wine_down EXIT
tarvok_wine_up || exit 1
tarvok_wine64_up || exit 1
echo "== Windows tests under Wine, long variants"
ctest --test-dir build/soak-windows || status=1
echo "== the 64-bit half under Wine, long variants"
ctest --test-dir build/soak-windows64 || status=1
exit $status
