#!/usr/bin/env bash
# The main job: installs what is missing, builds both packages into dist/
# (dist/x64 and dist/x86, the folders to copy to a Windows machine, with
# their zips and setup programs), and then, with the x64 package in a 64-bit
# Wine prefix and Wine's 64-bit notepad:
# - with a display (DISPLAY set): starts tarvok.exe and notepad to try it in;
# - without one: a headless demonstration in a private Xvfb and Wine prefix:
#   tarvok.exe and notepad, "Price 12*3=" typed and Ctrl+= pressed; it prints
#   the field's text and the log line, saves build/demo.png, and exits
#   non-zero unless the field reads "Price 12*3=36.00" and the log line ends
#   in "] Price 12*3=36.00" (no second "=").
# Every Windows program runs through the 64-bit Wine loader, never Debian's
# `wine`, which is the 32-bit one whenever it is installed: so this works on
# machines that run no 32-bit program too. Everything it starts it ends
# again, by process id.
source "$(dirname "$0")/fixed-layout.sh"
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

./scripts/deps.sh || exit 1
echo "== building the Windows deliverables"
# Only what ships and the probe the demonstration reads notepad with: the
# main job does not wait for (or depend on) the test programs.
build() {  # build <preset> <targets...>
  local preset=$1
  shift
  cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" -j "$(nproc)" --target "$@" >>build/run-build.log 2>&1 ||
    { tail -n 30 build/run-build.log; echo "build failed; the whole log is build/run-build.log" >&2; exit 1; }
}
mkdir -p build && : >build/run-build.log
build windows calc tarvok tarvok_helper
build windows64 calc tarvok tarvok_helper tarvok_language_files tarvok_help tarvok-probe
TARVOK_BUILD32=build/windows TARVOK_BUILD64=build/windows64 ./scripts/dist.sh dist || exit 1
probe_exe=$root/build/windows64/bin/tarvok-probe.exe
wine64=/usr/lib/wine/wine64

started=()
start() {  # start <log name> <program> [args...]: a Windows program, in the background
  local name=$1
  shift
  "$wine64" "$@" </dev/null >>"$root/build/run-$name.log" 2>&1 &
  started+=($!)
}
probe() { "$wine64" "$probe_exe" "$@" </dev/null; }

# A 64-bit prefix with its server and services started, detached from our
# output.
prefix_up() {
  export WINEPREFIX=$1 WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the 64-bit Wine prefix $WINEPREFIX"
    "$wine64" wineboot -i >/dev/null 2>&1
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  "$wine64" cmd /c exit >/dev/null 2>&1 </dev/null
}

if [ -n "${DISPLAY:-}" ]; then
  export TARVOK_USE_DISPLAY=1
  source scripts/wine-env.sh
  prefix_up "${TARVOK_PREFIX64:-$root/build/user-wineprefix64}"
  # A copy, so that its log.txt does not end up in the folder that ships.
  copy=$root/build/tarvok-run
  rm -rf "$copy" && cp -r dist/x64 "$copy"
  echo "== Tarvok runs (icon in Wine's system tray). Type 2*3 in notepad and press Ctrl+=."
  echo "   Choose Exit from the icon's menu to end; the log is $copy/log.txt."
  start notepad 'C:\windows\system32\notepad.exe'
  "$wine64" "$copy/tarvok.exe"
  status=$?
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  wineserver -k 2>/dev/null
  exit $status
fi

echo "== headless demonstration"
demo=$root/build/demo
rm -rf "$demo" && cp -r dist/x64 "$demo"
source scripts/wine-env.sh
stop_everything() {
  local pid
  if probe wait-window TMainForm 0 >/dev/null 2>&1; then
    probe post TMainForm 0x0111 106 0 >/dev/null 2>&1   # Exit, so that the hooks are removed
    for _ in $(seq 50); do kill -0 "${started[0]}" 2>/dev/null || break; sleep 0.1; done
  fi
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null; done
  tarvok_wine_down
}
trap stop_everything EXIT
tarvok_xvfb_up || exit 1
prefix_up "$root/build/demo-wineprefix64"

probe reg-clear >/dev/null
start tarvok "$demo/tarvok.exe"
for _ in $(seq 300); do probe mapping-dump 2>/dev/null | grep -q '^KeyboardHook=0x[1-9a-f]' && break; sleep 0.1; done
start notepad 'C:\windows\system32\notepad.exe'
probe wait-visible "Untitled - Notepad" 30000 >/dev/null || { echo "notepad did not start" >&2; exit 1; }
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
xdotool windowfocus --sync "$wid"
xdotool type --delay 50 'Price 12*3='
xdotool key ctrl+equal

expected='Price 12*3=36.00'
probe wait-text "Untitled - Notepad" "$expected" 10000 >/dev/null
text=$(probe text "Untitled - Notepad")
import -window root build/demo.png 2>/dev/null
echo "notepad's field: $text"
logged=$(tail -n 1 "$demo/log.txt" 2>/dev/null | tr -d '\r')
echo "log line:        $logged"
echo "screenshot:      build/demo.png"
if [ "$text" != "$expected" ]; then
  echo "expected '$expected'" >&2
  exit 1
fi
if [[ "$logged" != *"] $expected" ]]; then
  echo "expected a log line ending in '] $expected'" >&2
  exit 1
fi
