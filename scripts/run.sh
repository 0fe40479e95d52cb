#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows deliverables
# into dist/ (the folder to copy to a Windows machine, and its zip), and then
# - with a display (DISPLAY set): starts tarvok.exe under Wine, in a 32-bit
#   prefix of its own, with Wine's notepad to try it in;
# - without one: a headless demonstration in a private Xvfb and Wine prefix:
#   tarvok.exe and Wine's notepad, "Price 12*3=" typed and Ctrl+= pressed; it
#   prints the field's text and the log line, saves build/demo.png, and exits
#   non-zero unless the field reads "Price 12*3=36.00" and the log line ends
#   in "] Price 12*3=36.00" (no second "=").
# Everything it starts it ends again, by process id.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

./scripts/deps.sh || exit 1
echo "== building the Windows deliverables"
cmake --preset windows >/dev/null || exit 1
# Only what ships and the probe the demonstration reads notepad with: the
# main job does not wait for (or depend on) the test programs.
targets=(tarvok calc tarvok_language_files tarvok_help tarvok-probe)
cmake --build --preset windows -j "$(nproc)" --target "${targets[@]}" >build/run-build.log 2>&1 ||
  { tail -n 30 build/run-build.log; echo "build failed; the whole log is build/run-build.log" >&2; exit 1; }
cmake --preset windows64 >/dev/null || exit 1
cmake --build --preset windows64 -j "$(nproc)" --target calc tarvok_helper >>build/run-build.log 2>&1 ||
  { tail -n 30 build/run-build.log; echo "build failed; the whole log is build/run-build.log" >&2; exit 1; }
./scripts/dist.sh build/windows || exit 1
probe_exe=$root/build/windows/bin/tarvok-probe.exe

started=()
start() {  # start <log name> <program> [args...]: a Windows program, in the background
  local name=$1
  shift
  wine "$@" </dev/null >>"$root/build/run-$name.log" 2>&1 &
  started+=($!)
}
probe() { wine "$probe_exe" "$@" </dev/null; }

if [ -n "${DISPLAY:-}" ]; then
  # A 32-bit prefix: the hook library is 32-bit and is loaded only into
  # 32-bit programs.
  export TARVOK_PREFIX=${TARVOK_PREFIX:-$root/build/user-wineprefix} TARVOK_USE_DISPLAY=1
  source scripts/wine-env.sh
  tarvok_wine_up || exit 1
  # A copy, so that its log.txt does not end up in the folder that ships.
  copy=$root/build/tarvok-run
  rm -rf "$copy" && cp -r dist "$copy" && rm -f "$copy"/*.zip "$copy"/*-setup.exe
  echo "== Tarvok runs (icon in Wine's system tray). Type 2*3 in notepad and press Ctrl+=."
  echo "   Choose Exit from the icon's menu to end; the log is $copy/log.txt."
  start notepad 'C:\windows\system32\notepad.exe'
  wine "$copy/tarvok.exe"
  status=$?
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  exit $status
fi

echo "== headless demonstration"
demo=$root/build/demo
rm -rf "$demo" && cp -r dist "$demo" && rm -f "$demo"/*.zip "$demo"/*-setup.exe
export TARVOK_PREFIX=$root/build/demo-wineprefix
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
tarvok_wine_up || exit 1

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
