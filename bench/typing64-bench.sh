#!/usr/bin/env bash
# What calc64.dll's hooks add to a keystroke in a 64-bit program under Wine,
# on any machine with 64-bit Wine: a release build of the 64-bit hook
# library and the typing benchmark (bench/win/typing_cost.cpp), typing into
# the quiet window in a private 64-bit prefix and X display. Each library
# named is measured in turn, for the given number of rounds, so that a
# library built from other sources (a copy of an earlier calc64.dll) can be
# set beside the current one. Prints the typing benchmark's lines, each
# prefixed with the library and round.
#   bench/typing64-bench.sh [keys per state (1000)] [rounds (3)] [extra calc64.dll copies...]
source "$(dirname "$0")/../scripts/fixed-layout.sh"
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
keys=${1:-1000}
rounds=${2:-3}
build=$root/build/bench-windows64
cmake --preset windows64 -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVOK_WERROR=OFF \
  "-DCMAKE_PROJECT_Tarvok_INCLUDE=$root/bench/AddToBuild.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target calc tarvok-bench-empty tarvok-bench-typing tarvok-bench-quiet >/dev/null
bin=$build/bin
libraries=(calc64.dll)
for extra in "${@:3}"; do
  cp "$extra" "$bin/$(basename "$extra" .dll)-extra.dll"
  libraries+=("$(basename "$extra" .dll)-extra.dll")
done

export TARVOK_PREFIX64=$build/wineprefix64
source "$root/scripts/wine-env.sh"
trap tarvok_wine_down EXIT
tarvok_xvfb_up
tarvok_wine64_up
export WINEPREFIX=$TARVOK_PREFIX64 WINEARCH=win64

cd "$bin"
"$TARVOK_WINE64" tarvok-bench-quiet.exe >/dev/null 2>&1 &
quiet_pid=$!
trap 'kill $quiet_pid 2>/dev/null; tarvok_wine_down' EXIT
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Tarvok Bench Quiet$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the quiet window did not show" >&2; exit 1; }
xdotool windowfocus --sync "$window"
for round in $(seq "$rounds"); do
  for library in "${libraries[@]}"; do
    "$TARVOK_WINE64" tarvok-bench-typing.exe "$library" tarvok-bench-empty.dll TarvokBenchQuiet "$keys" 100 \
      "$quiet_pid" </dev/null | sed "s/^/$library round $round: /"
  done
done
