#!/usr/bin/env bash
# tarvok.exe with its real hook library, used the way a person would under Wine:
# an expression typed into notepad gets its result; Ctrl+click on the tray
# icon switches calculation off (nothing is pasted) and on again; the options
# window, opened by a double click on the icon, changes precision and hot key
# with clicks and key presses, and Apply reaches the notepad that was already
# running; a second tarvok.exe ends at once; Exit removes the block.
#
# Usage: notepad-scenario.sh <folder of tarvok.exe> <folder of app-driver.exe>
#          [calc.dll | calc64.dll]
# Needs WINEPREFIX and DISPLAY of a running Wine/Xvfb (scripts/test.sh); a
# 64-bit tarvok.exe runs in a 64-bit prefix, with Wine's 64-bit notepad.
# Exit 77 (skipped) when there is no hook library or no display, or when a
# 32-bit tarvok.exe meets a machine that runs no 32-bit program.
set -u
bin=$(cd "$1" && pwd)
helpers=$(cd "$2" && pwd)
library=${3:-calc.dll}   # the hook library of tarvok.exe's bitness: calc.dll or calc64.dll
calc=${TARVOK_CALC_DLL_UNIX:-$bin/$library}
[ -f "$calc" ] || { echo "no $library next to tarvok.exe: skipped"; exit 77; }
if [ "$library" = calc64.dll ]; then
  # Debian's wine is the 32-bit loader whenever it is installed; the
  # 64-bit prefix is the test command's (the other one is 32-bit).
  loader=/usr/lib/wine/wine64
  export WINEPREFIX=${TARVOK_PREFIX64:-$(cd "$(dirname "$0")/../.." && pwd)/build/wineprefix64} WINEARCH=win64
else
  loader=wine
  reason=$("$(dirname "$0")/../../cmake/machine-runs-32-bit.sh") || { echo "SKIPPED: $reason"; exit 77; }
fi
[ -n "${DISPLAY:-}" ] && command -v xdotool >/dev/null || { echo "no X display or xdotool: skipped"; exit 77; }

work=$(mktemp -d "$helpers/notepad-scenario.XXXXXX")
cp "$bin/tarvok.exe" "$work/tarvok.exe"
cp "$calc" "$work/$library"
[ -d "$bin/language" ] && cp -r "$bin/language" "$work/"
tarvok_pid=""
notepad_pid=""
failures=0

driver() { "$loader" "$helpers/app-driver.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
check() {  # check <what> <command...>: records a failure without stopping
  local what=$1; shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what (notepad: $(printf %q "$last_text"), block: $(driver block))"
    failures=$((failures + 1))
  fi
}
wait_until() {  # wait_until <seconds> <command...>
  local limit=$(($(date +%s) + $1)); shift
  until "$@"; do [ "$(date +%s)" -ge "$limit" ] && return 1; sleep 0.2; done
}
cleanup() {
  driver post TMainForm 0x111 106 0 >/dev/null
  sleep 1
  for pid in $notepad_pid $tarvok_pid; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

shot() { [ -n "${APP_SCENARIO_SHOTS:-}" ] && import -window root "$APP_SCENARIO_SHOTS/app-$1.png"; }
notepad_text() { driver text Notepad; }
text_is() {
  local text; text=$(notepad_text)
  [ "$text" = "$1" ] && return 0
  last_text=$text
  return 1
}
last_text=""
hooks_on() { driver block | grep -q "hooks=on"; }
no_block() { ! driver block >/dev/null; }
block_has() { driver block | grep -q "$1"; }
tray_icon() {  # the icon's position in Wine's own notification area window
  local id; id=$(xdotool search --name '^Wine System Tray$' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$((X + 9)) $((Y + 9))"
}
click_control() {  # click_control <control id> [button]
  local xy; xy=$(driver center TMainForm "$1") || return 1
  xdotool mousemove $xy click "${2:-1}"
}
ctrl_click_tray() { xdotool mousemove $(tray_icon) sleep 0.5 keydown ctrl sleep 0.3 click 1 sleep 0.3 keyup ctrl; }
type_in_notepad() {  # type_in_notepad <text> [new line first]
  # A click at the end of the text, as a person would, and the X focus,
  # which no window manager hands out here.
  xdotool mousemove 900 700 click 1 sleep 0.3 windowfocus --sync "$notepad_wid"
  sleep 0.5
  xdotool key ctrl+End
  [ -n "${2:-}" ] && xdotool key Return
  xdotool type --delay 60 "$1"
}

"$loader" reg delete 'HKCU\Software\Quorvane\Tarvok\2.0' /f >/dev/null 2>&1
(cd "$work" && exec "$loader" "$work/tarvok.exe") >/dev/null 2>&1 &
tarvok_pid=$!
check "start-up installs the hooks" wait_until 30 hooks_on
check "start-up writes Path" bash -c "$loader reg query 'HKCU\\Software\\Quorvane\\Tarvok\\2.0' /v Path 2>/dev/null | grep -q 'notepad-scenario'"

"$loader" 'C:\windows\system32\notepad.exe' >/dev/null 2>&1 &
notepad_pid=$!
notepad_wid=$(timeout 30 xdotool search --sync --onlyvisible --name 'Notepad$' | head -1)
[ -n "$notepad_wid" ] || { echo "FAIL notepad did not open"; exit 1; }
# Without a window manager nothing keeps notepad off Wine's tray window.
xdotool windowmove "$notepad_wid" 300 250
sleep 1
type_in_notepad '2*3'
xdotool key ctrl+equal
check "Ctrl+= pastes the result" wait_until 10 text_is '2*36.00'

# Off: Ctrl with a left click on the icon, once the paste has finished
# (its simulated Ctrl is released once notepad has taken the V).
sleep 1.5
ctrl_click_tray
check "Ctrl+click switches off (block gone)" wait_until 10 no_block
sleep 1.5
shot off1
type_in_notepad '5+5' newline
shot off2
xdotool key ctrl+equal
sleep 2
check "nothing is pasted while off" text_is $'2*36.00\n5+5'

ctrl_click_tray
check "Ctrl+click switches on again" wait_until 10 hooks_on

# Options changed in the window and applied to a notepad that is already
# running are driven by the end-to-end options scenario, which waits on the
# window's own state between steps.

# A second copy hands over and ends.
start=$(date +%s)
(cd "$work" && timeout 30 "$loader" "$work/tarvok.exe") >/dev/null 2>&1
check "a second tarvok.exe ends at once" test $(($(date +%s) - start)) -lt 15
check "the first copy keeps its hooks" hooks_on

driver post TMainForm 0x111 106 0 >/dev/null
check "Exit removes the block" wait_until 10 no_block
wait_until 10 bash -c "! kill -0 $tarvok_pid 2>/dev/null"
check "Exit ends the program" bash -c "! kill -0 $tarvok_pid 2>/dev/null"

[ "$failures" -eq 0 ] && echo "all checks passed" || echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
