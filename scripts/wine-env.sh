# Sourced by the scripts: a private Wine prefix and, unless one is given, a
# private Xvfb display. `tarvok_wine_up` starts them, `tarvok_wine_down`
# stops exactly what it started (by process id, never by name).
#   TARVOK_PREFIX   the Wine prefix (default: build/wineprefix)
tarvok_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${TARVOK_PREFIX:-$tarvok_root/build/wineprefix}
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
tarvok_xvfb_pid=""
source "$tarvok_root/scripts/wine-prefix.sh"

# A private Xvfb on a free display: sets DISPLAY and tarvok_xvfb_pid.
tarvok_xvfb_up() {
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  tarvok_xvfb_pid=$!
  local number; read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$number"
}

# The 64-bit Wine loader, called by name: Debian's `wine`, `wineboot` and
# `winepath` start the 32-bit one whenever it is installed, also for 64-bit
# programs, and it cannot start on a machine that runs no 32-bit program.
TARVOK_WINE64=/usr/lib/wine/wine64

# Exits 0 when the machine runs 32-bit programs; otherwise prints why.
tarvok_runs_32_bit() { "$tarvok_root/cmake/machine-runs-32-bit.sh"; }

# The display and, where the machine runs 32-bit programs, the 32-bit prefix.
tarvok_wine_up() {
  if [ -z "${TARVOK_USE_DISPLAY:-}" ]; then
    tarvok_xvfb_up || return 1
  fi
  tarvok_runs_32_bit >/dev/null || return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    tarvok_make_prefix wine
  fi
  # Start the server and Wine's services now, detached from our output: a
  # server first started by a test would inherit CTest's pipe and keep CTest
  # waiting after the test has ended.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# The 64-bit prefix for the 64-bit half's tests (TARVOK_PREFIX64, default
# build/wineprefix64), on the same display; call after tarvok_wine_up.
export TARVOK_PREFIX64=${TARVOK_PREFIX64:-$tarvok_root/build/wineprefix64}
tarvok_wine64_up() {
  (
    export WINEPREFIX=$TARVOK_PREFIX64 WINEARCH=win64
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Creating the 64-bit Wine prefix $WINEPREFIX"
      tarvok_make_prefix "$TARVOK_WINE64"
    fi
    wineserver -p >/dev/null 2>&1 </dev/null || true
    "$TARVOK_WINE64" cmd /c exit >/dev/null 2>&1 </dev/null || true
  )
  tarvok_wine64_started=1
}
tarvok_wine64_started=""

tarvok_wine_down() {
  if [ -n "$tarvok_wine64_started" ]; then
    WINEPREFIX=$TARVOK_PREFIX64 wineserver -k 2>/dev/null || true
    tarvok_wine64_started=""
  fi
  wineserver -k 2>/dev/null || true
  if [ -n "$tarvok_xvfb_pid" ]; then
    kill "$tarvok_xvfb_pid" 2>/dev/null || true
    wait "$tarvok_xvfb_pid" 2>/dev/null || true
    tarvok_xvfb_pid=""
  fi
}
