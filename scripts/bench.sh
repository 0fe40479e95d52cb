#!/usr/bin/env bash
# The benchmarks of speed and size, side by side with the peers a user could
# pick instead. Installs what it needs, builds in release mode, runs every
# benchmark in one go and rewrites its own part of BENCHMARKS.md (between the
# bench.sh markers; the other sections stay as they are) and the chart
# docs/bench.png. Not part of the test command: it takes some twenty-five minutes,
# most of it the long runs of the resident program under Wine.
#
#   scripts/bench.sh
#
# Settings (environment):
#   BENCH_ROUNDS=31          interleaved rounds of the evaluator comparison
#   BENCH_KEYS=1000          keys typed per hook state under Wine
#   BENCH_PAIRS=1000         loads of calc.dll and of the empty DLL
#   BENCH_CALCULATIONS=1000  calculations made with tarvok.exe running
#   BENCH_OPENINGS=100       openings of the options window
#   BENCH_PASTES=300         pastes without calc.dll, the control for the memory figures
#   BENCH_WINE=0             native benchmarks only
#   BENCH_JOBS=2             parallel build jobs
source "$(dirname "$0")/fixed-layout.sh"
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

rounds=${BENCH_ROUNDS:-31}
keys=${BENCH_KEYS:-1000}
pairs=${BENCH_PAIRS:-1000}
calculations=${BENCH_CALCULATIONS:-1000}
openings=${BENCH_OPENINGS:-100}
pastes=${BENCH_PASTES:-300}
use_wine=${BENCH_WINE:-1}
jobs=${BENCH_JOBS:-2}

native=build/bench-native
windows=build/bench-windows
shipped=build/bench-minsize
results=build/bench-results
mkdir -p "$results" docs
rm -f "$results"/*.txt "$results"/*.json "$results"/*.md "$results"/*.dat

say() { printf '== %s\n' "$*"; }

# ---- what the benchmarks need ------------------------------------------------

install_packages() {
  ./scripts/deps.sh
  local packages=(libmuparser-dev libmuparserx-dev libqalculate-dev valgrind gnuplot-nox python3)
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# ---- builds ------------------------------------------------------------------

# Release builds with the benchmark targets added (bench/AddToBuild.cmake).
# Warnings do not stop a measurement: the test command enforces them.
build_all() {
  local add=-DCMAKE_PROJECT_Tarvok_INCLUDE=$root/bench/AddToBuild.cmake
  say "native release build ($native)"
  cmake --preset native -B "$native" -DCMAKE_BUILD_TYPE=Release -DTARVOK_WERROR=OFF "$add" >/dev/null
  cmake --build "$native" -j "$jobs" --target tarvok-bench-peers tarvok-bench-fpu bench_peers_test evaluator_bench \
    engine_keystroke_bench >/dev/null
  [ "$use_wine" = 1 ] || return 0
  say "Windows release build ($windows)"
  cmake --preset windows -B "$windows" -DCMAKE_BUILD_TYPE=Release -DTARVOK_WERROR=OFF "$add" >/dev/null
  cmake --build "$windows" -j "$jobs" --target calc tarvok tarvok-target tarvok-probe tarvok-bench-empty \
    tarvok-bench-attach tarvok-bench-typing tarvok-bench-resident tarvok-bench-quiet tarvok-bench-paste >/dev/null
  say "Windows build as shipped, for the sizes ($shipped, the windows preset's MinSizeRel)"
  cmake --preset windows -B "$shipped" -DTARVOK_WERROR=OFF >/dev/null
  cmake --build "$shipped" -j "$jobs" --target calc tarvok >/dev/null
}

# ---- native benchmarks -------------------------------------------------------

machine() {
  {
    echo "date=$(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "commit=$(git rev-parse --short HEAD)$(git diff --quiet HEAD -- evaluator engine app shared bench 2>/dev/null || echo ' (with uncommitted changes)')"
    echo "cpu=$(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
    echo "cores=$(nproc)"
    echo "load=$(cut -d' ' -f1-3 /proc/loadavg)"
    echo "kernel=$(uname -r)"
    echo "gcc=$(g++ -dumpfullversion)"
    echo "mingw=$(i686-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none)"
    echo "wine=$(wine --version 2>/dev/null || echo none)"
    echo "muparser=$(pkg-config --modversion muparser)"
    echo "muparserx=$(pkg-config --modversion muparserx)"
    echo "libqalculate=$(pkg-config --modversion libqalculate)"
  } >"$results/machine.txt"
}

evaluator_peers() {
  say "evaluator against the peers: values"
  "$native/bench_peers_test" --gtest_brief=1 >"$results/peers-test.txt" 2>&1 || true
  say "evaluator against the peers: instruction counts under callgrind"
  local counts=$results/callgrind
  rm -rf "$counts" && mkdir -p "$counts"
  valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$counts/out" \
    "$native/tarvok-bench-peers" --count >/dev/null 2>"$counts/valgrind.txt"
  for file in "$counts"/out.*; do
    awk '/^desc: Trigger: Client Request: /{name=$5} /^totals:/{print name, $2}' "$file"
  done >"$results/instructions.txt"
  say "evaluator against the peers: timing, $rounds rounds"
  "$native/tarvok-bench-peers" --rounds "$rounds" --instructions "$results/instructions.txt" \
    --data "$results/peers.dat" >"$results/peers.md"
  "$native/tarvok-bench-fpu" >"$results/fpu.txt"
}

google_benchmarks() {
  say "evaluator and keystroke benchmarks of the other components"
  "$native/evaluator/evaluator_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$results/evaluator.json" 2>/dev/null
  "$native/engine/engine_keystroke_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$results/keystroke.json" 2>/dev/null
}

chart() {
  say "chart docs/bench.png"
  gnuplot -e "data='$results/peers.dat'; output='docs/bench.png'" bench/chart.gp
}

# ---- under Wine --------------------------------------------------------------

wine_pids=()

start_program() {  # start_program <exe> [args...]: sets started_pid
  wine "$@" >/dev/null 2>&1 </dev/null &
  started_pid=$!
  wine_pids+=("$started_pid")
}

stop_wine() {
  local pid
  if [ -n "${controller_pid:-}" ] && kill -0 "$controller_pid" 2>/dev/null; then
    wine "$bin/tarvok-probe.exe" post TMainForm 0x0111 106 0 >/dev/null 2>&1 || true
    for _ in $(seq 50); do kill -0 "$controller_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  for pid in "${wine_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${wine_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  wine_pids=()
  tarvok_wine_down
}

focus() {  # focus <title>: X focus on the window, as a click would give it
  local wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$wid" ] && break
    sleep 0.2
  done
  [ -n "$wid" ] || { echo "no window '$1'" >&2; return 1; }
  xdotool windowfocus --sync "$wid"
}

sizes() {
  say "sizes and imports"
  local objdump=i686-w64-mingw32-objdump
  {
    echo "calc_release_bytes=$(stat -c %s "$windows/bin/calc.dll")"
    echo "calc_shipped_bytes=$(stat -c %s "$shipped/bin/calc.dll")"
    echo "tarvok_release_bytes=$(stat -c %s "$windows/bin/tarvok.exe")"
    echo "tarvok_shipped_bytes=$(stat -c %s "$shipped/bin/tarvok.exe")"
    echo "empty_bytes=$(stat -c %s "$windows/bin/tarvok-bench-empty.dll")"
    "$objdump" -p "$shipped/bin/calc.dll" | awk '
      /DLL Name:/ { dll=$3; next }
      dll && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { count[dll]++ }
      END { for (d in count) printf "import.%s=%d\n", d, count[d] }'
  } >"$results/sizes.txt"
}

wine_benchmarks() {
  bin=$root/$windows/bin
  export TARVOK_PREFIX=$root/build/bench-wineprefix
  # shellcheck source=wine-env.sh
  source scripts/wine-env.sh
  trap stop_wine EXIT
  tarvok_wine_up

  say "calc.dll process attach, $pairs loads against the empty DLL"
  (cd "$bin" && wine tarvok-bench-attach.exe calc.dll tarvok-bench-empty.dll "$pairs") >"$results/attach.txt"

  say "typing cost of the hooks, $keys keys per state, quiet window"
  start_program "$bin/tarvok-bench-quiet.exe"
  focus "Tarvok Bench Quiet"
  (cd "$bin" && wine tarvok-bench-typing.exe calc.dll tarvok-bench-empty.dll TarvokBenchQuiet "$keys" 100 \
    "$started_pid") >"$results/typing-quiet.txt"
  say "typing cost of the hooks, $keys keys per state, the Edit field of tarvok-target"
  start_program "$bin/tarvok-target.exe" "Tarvok Bench Target"
  local target_pid=$started_pid
  focus "Tarvok Bench Target"
  (cd "$bin" && wine tarvok-bench-typing.exe calc.dll tarvok-bench-empty.dll "Tarvok Bench Target" "$keys" 100 \
    "$target_pid") >"$results/typing-edit.txt"

  say "control for the memory figures: $pastes pastes into tarvok-target without calc.dll"
  focus "Tarvok Bench Target"
  wine "$bin/tarvok-bench-paste.exe" "Tarvok Bench Target" "$pastes" "$target_pid" >"$results/paste-control.txt"

  say "tarvok.exe over $calculations calculations and $openings openings of the options window"
  wine reg delete 'HKCU\Software\Quorvane\Tarvok' /f >/dev/null 2>&1 || true
  rm -f "$bin/log.txt"  # the calculation log of the last run
  start_program "$bin/tarvok.exe"
  controller_pid=$started_pid
  wine "$bin/tarvok-probe.exe" wait-window TMainForm 30000 >/dev/null
  sleep 3  # start-up ends with the trim after the window exists
  focus "Tarvok Bench Target"
  wine "$bin/tarvok-bench-resident.exe" "Tarvok Bench Target" "$calculations" "$openings" \
    "$controller_pid" "$target_pid" >"$results/resident.txt"

  stop_wine
  trap - EXIT
}

# ---- run ---------------------------------------------------------------------

install_packages
build_all
machine
evaluator_peers
google_benchmarks
chart
if [ "$use_wine" = 1 ]; then
  sizes
  wine_benchmarks
fi
say "BENCHMARKS.md"
python3 bench/report.py "$results" BENCHMARKS.md
say "done"
