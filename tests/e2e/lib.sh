# Shared steps of the end-to-end scenarios; each scenario script sources this
# file. A scenario runs the real deliverables under Wine against real
# programs (Wine's notepad and tarvok-target), drives them with real X input
# (xdotool) and looks at the result with tarvok-probe.
#
#   bash <scenario>.sh <bin dir> <work dir>
#
# Rules every scenario keeps:
# - it starts from a fresh settings key, with its own copy of the shipped
#   files in its own folder (so log.txt and convert.dll are its own), and its
#   own programs;
# - it waits on conditions (a window, a text, a file line) with a time limit
#   and says what it waited for when the limit passes; fixed pauses are used
#   only to show that something does NOT happen, after a condition wait;
# - it ends what it started, by process id, whatever the outcome.
# Exit codes: 0 passed, 1 failed, 77 skipped (a deliverable is not built yet).
#
# Screenshots for the README go to <work dir>/screens, or to the folder named
# by TARVOK_E2E_SCREENSHOTS (TARVOK_E2E_SCREENSHOTS=$PWD/docs refreshes docs/).
#
# DISPLAY and WINEPREFIX normally come from scripts/test.sh (one Xvfb and one
# prefix for the whole suite). Without them the scenario starts a private
# Xvfb and uses a prefix inside the build tree.
#
# The same scenarios run against either package (TARVOK_PACKAGE):
# - x86 (the default): the 32-bit build's tarvok.exe and calc.dll, in a
#   32-bit prefix with Wine's 32-bit programs;
# - x64: the 64-bit build's tarvok.exe and calc64.dll, with the 32-bit
#   helper tarvok32.exe and calc.dll from TARVOK_BIN32_DIR when they are
#   built, in a 64-bit prefix (TARVOK_PREFIX64) with 64-bit test programs and
#   Wine's 64-bit notepad.

set -uo pipefail

E2E_BIN=$(cd "${1:?bin dir}" && pwd)
mkdir -p "${2:?work dir}" && E2E_WORK_ROOT=$(cd "$2" && pwd)
E2E_NAME=$(basename "$0" .sh)
E2E_WORK=$E2E_WORK_ROOT/$E2E_NAME
E2E_APP=$E2E_WORK/app
E2E_SCREENS=${TARVOK_E2E_SCREENSHOTS:-$E2E_WORK_ROOT/screens}
E2E_MEASURE=$E2E_WORK_ROOT/measurements.txt
E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$E2E_SOURCE/scripts/wine-prefix.sh"
E2E_SKIP=77

E2E_PACKAGE=${TARVOK_PACKAGE:-x86}
case $E2E_PACKAGE in
  x64)
    E2E_WINEARCH=win64
    E2E_HOOK_LIBRARY=calc64.dll
    E2E_CONVERTER=convert64.dll
    E2E_HELPER=tarvok32.exe
    E2E_HELPER_LIBRARY=calc.dll
    E2E_HELPER_BIN=${TARVOK_BIN32_DIR:-}
    E2E_LOADER=/usr/lib/wine/wine64
    if [ -n "${TARVOK_PREFIX64:-}" ]; then export WINEPREFIX=$TARVOK_PREFIX64; else unset WINEPREFIX; fi
    # Debian's wine, wineboot and winepath start the 32-bit loader whenever
    # it is installed, also for 64-bit programs; here they are the 64-bit one.
    # (A program started in the background is started with $E2E_LOADER,
    # so that $! is the program itself.)
    wine() { "$E2E_LOADER" "$@"; }
    wineboot() { "$E2E_LOADER" wineboot "$@"; }
    winepath() { "$E2E_LOADER" winepath "$@"; }
    ;;
  x86)
    E2E_WINEARCH=${E2E_WINEARCH:-win32}
    E2E_HOOK_LIBRARY=calc.dll
    E2E_CONVERTER=convert.dll
    E2E_HELPER=tarvok64.exe
    E2E_HELPER_LIBRARY=calc64.dll
    E2E_HELPER_BIN=${E2E_BIN64:-}
    E2E_LOADER=wine
    ;;
  *) echo "unknown TARVOK_PACKAGE '$E2E_PACKAGE' (x86 or x64)" >&2; exit 1 ;;
esac

# Time limits, in seconds. Generous: the suite must pass with both cores busy.
E2E_START_LIMIT=30     # a program shows its window, tarvok fills the block
E2E_RESULT_LIMIT=10    # a calculation reaches the field or the log
E2E_QUIET=1.5          # > 4 x the 300 ms a delivery takes: long enough to see one

e2e_started_pids=()
e2e_own_xvfb=""
NOTEPAD="Untitled - Notepad"
TARGET="Tarvok Test Target"

log() { printf '[%s %s] %s\n' "$(date +%T.%N | cut -c1-12)" "$E2E_NAME" "$*"; }
fail() {
  log "FAILED: $*"
  exit 1
}
skip() {
  log "SKIPPED: $*"
  exit $E2E_SKIP
}

# ---- environment -----------------------------------------------------------

# A scenario of the x86 package's 64-bit half sets E2E_WINEARCH=win64 (and
# its prefix in WINEPREFIX) before it sources this file.
e2e_environment() {
  export WINEARCH=$E2E_WINEARCH WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The probe's trace (see probe()); Wine's drive Z: is the root of the
  # Linux file system.
  export TARVOK_PROBE_TRACE="Z:${E2E_WORK//\//\\}\\probe-trace.txt"
  # The x86 package's tarvok.exe is a 32-bit program.
  [ "$E2E_PACKAGE" = x86 ] && e2e_needs_32_bit_programs
  if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX=$E2E_WORK_ROOT/wineprefix${E2E_WINEARCH:+-$E2E_WINEARCH}
  fi
  if [ -z "${DISPLAY:-}" ]; then
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    e2e_own_xvfb=$!
    read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
    rm -f "$fifo"
    export DISPLAY=":$number"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    tarvok_make_prefix "$E2E_LOADER"
  fi
  # A server, or Wine's services, first started by a scenario would hold
  # CTest's output pipe open.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# Skips the scenario on a machine that runs no 32-bit program.
e2e_needs_32_bit_programs() {
  local reason
  reason=$("$E2E_SOURCE/cmake/machine-runs-32-bit.sh") || skip "$reason"
}

# The shipped files in the scenario's own folder: tarvok writes that folder
# into Path, so the hook library finds log.txt and the converter there. The
# x64 package's 32-bit helper comes along where it can run: where no 32-bit
# program runs, each start would only add a process that dies starting (Wine
# starts it and it faults), and the balloon says the helper is missing
# instead.
e2e_stage_app() {
  local required
  for required in tarvok.exe "$E2E_HOOK_LIBRARY" tarvok-probe.exe tarvok-target.exe; do
    [ -f "$E2E_BIN/$required" ] || skip "$required is not built yet"
  done
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_APP" "$E2E_SCREENS"
  cp "$E2E_BIN/tarvok.exe" "$E2E_BIN/$E2E_HOOK_LIBRARY" "$E2E_APP/"
  if [ "$E2E_PACKAGE" = x64 ] && [ -f "$E2E_HELPER_BIN/$E2E_HELPER" ] && [ -f "$E2E_HELPER_BIN/$E2E_HELPER_LIBRARY" ] &&
    "$E2E_SOURCE/cmake/machine-runs-32-bit.sh" >/dev/null; then
    cp "$E2E_HELPER_BIN/$E2E_HELPER" "$E2E_HELPER_BIN/$E2E_HELPER_LIBRARY" "$E2E_APP/"
  fi
  [ -d "$E2E_BIN/language" ] && cp -r "$E2E_BIN/language" "$E2E_APP/"
  [ -f "$E2E_BIN/Tarvok HTML help.chm" ] && cp "$E2E_BIN/Tarvok HTML help.chm" "$E2E_APP/"
  E2E_APP_WIN=$(winepath -w "$E2E_APP/" 2>/dev/null)
}

# Call once at the top of a scenario.
e2e_begin() {
  trap e2e_cleanup EXIT
  # A scenario stopped by its time limit must not end with "passed".
  trap 'exit 143' TERM
  trap 'exit 130' INT
  e2e_environment
  e2e_stage_app
  probe reg-clear || fail "could not clear the settings key"
  # A known user clipboard, so that the end of every delivery can be seen.
  fill_user_clipboard
  # A controller left over from an earlier test would calculate as well:
  # ask it to exit the way a user would, and wait until its block is gone.
  if ! probe wait-gone TMainForm 0 >/dev/null 2>&1; then
    log "a tarvok.exe from an earlier test still runs: asking it to exit"
    probe post TMainForm 0x0111 106 0 >/dev/null 2>&1
    probe wait-gone TMainForm 10000 || fail "a tarvok.exe from an earlier test does not exit"
  fi
  wait_until 10 "the settings block of an earlier test to go" not probe mapping-dump
  # Every change of Wine's foreground window, in foreground.out: a failure
  # then shows which window took the keys away, and when.
  start_program foreground "$E2E_BIN/tarvok-probe.exe" watch-foreground 3600000
  log "staged in $E2E_APP_WIN"
}

# ---- programs --------------------------------------------------------------

# E2E_PROBE: another build of the probe (the 64-bit one reads what 64-bit
# programs put on the clipboard intact).
# An answer other than yes (0), no (1) or usage (2) means the probe itself
# did not run through: that is said, so a failure does not pass for a "no".
# A command that always prints and printed nothing says so with its status:
# a run of the probe that ended without a word was seen now and then.
probe() {
  local output status errors wine_errors
  # Wine's own errors are kept apart: a probe that never reached its main
  # ends with a status of 1 and, without them, without a word.
  errors=$(mktemp)
  output=$(WINEDEBUG=-all,err+all wine "${E2E_PROBE:-$E2E_BIN/tarvok-probe.exe}" "$@" </dev/null 2>"$errors")
  status=$?
  [ -z "$output" ] || printf '%s\n' "$output"
  grep -vE '^[0-9a-f]+:err:' "$errors" >&2
  wine_errors=$(grep -E '^[0-9a-f]+:err:' "$errors" | head -n 3 | paste -sd'|')
  rm -f "$errors"
  [ $status -le 2 ] || log "the probe ('$1') ended with status $status" >&2
  if [ -z "$output" ] && [ $status -ne 0 ] && [ -n "$wine_errors" ]; then
    log "the probe ('$1'), status $status, Wine said: $wine_errors" >&2
  fi
  case $1 in
    clip-seq | clip-dump | mapping-dump | foreground)
      [ -n "$output" ] || log "the probe ('$1') printed nothing, status $status" >&2 ;;
  esac
  return $status
}

# Starts a Windows program in the background; its id is remembered for the
# clean-up and left in $started_pid. Output goes to the scenario's folder, not
# to CTest's pipe. E2E_WINE=/usr/lib/wine/wine64 with a full Windows path
# starts a 64-bit program as itself (plain wine would leave the id of a
# launcher in between).
# The programs run with Wine's clipboard trace on: a delivery whose
# restore never came, found the clipboard held, or took it for changed by
# someone else, can then be told apart after a failure.
start_program() {
  local name=$1
  shift
  WINEDEBUG=-all,err+all,+timestamp,+clipboard \
    "${E2E_WINE:-$E2E_LOADER}" "$@" </dev/null >>"$E2E_WORK/$name.out" 2>&1 &
  started_pid=$!
  e2e_started_pids+=("$started_pid")
}

start_notepad() {
  start_program notepad 'C:\windows\system32\notepad.exe'
  notepad_pid=$started_pid
  probe wait-visible "$NOTEPAD" $((E2E_START_LIMIT * 1000)) || fail "notepad did not show its window"
}

# start_target [title [password]]
start_target() {
  local title=${1:-$TARGET}
  start_program target "$E2E_BIN/tarvok-target.exe" "$title" "${@:2}"
  target_pid=$started_pid
  probe wait-visible "$title" $((E2E_START_LIMIT * 1000)) || fail "the target '$title' did not show"
}

# Starts tarvok.exe and waits until the hooks are installed and the block is
# filled, which is the last thing its start-up does.
start_tarvok() {
  start_program tarvok "$E2E_APP/tarvok.exe"
  tarvok_pid=$started_pid
  wait_until $E2E_START_LIMIT "tarvok.exe to fill the settings block" block_is_filled
  fill_user_clipboard
}

# The user's clipboard anew, just put by a program, right before the first
# hot key of a stretch: under Wine one put long before by a program that has
# ended since was at times gone at the first hot key (the delivery found an
# empty clipboard and gave an empty one back).
fill_user_clipboard() { probe clip-put-set || fail "could not fill the clipboard"; }

block_is_filled() {
  local dump
  dump=$(probe mapping-dump) || return 1
  grep -q '^KeyboardHook=0x[1-9a-f]' <<<"$dump" && grep -q '^HotKeyVirtualKey=0x[1-9A-F]' <<<"$dump"
}

block_field() { probe mapping-dump | sed -n "s/^$1=//p" | tr -d '\r'; }

process_alive() { kill -0 "$1" 2>/dev/null; }
not() { ! "$@" >/dev/null 2>&1; }

# Asks tarvok to exit through its own Exit command, so that it removes its
# hooks (a killed controller's hooks stay active for a while under Wine).
# The block goes with the process, but the wineserver closes a process's
# handles a moment after its end: a copy started before that would find the
# old block and pass for started.
exit_tarvok() {
  probe post TMainForm 0x0111 106 0 >/dev/null 2>&1 || true
  wait_until 15 "tarvok.exe to end" not_alive "$tarvok_pid"
  wait_until $E2E_RESULT_LIMIT "its settings block to go" not probe mapping-dump
}

not_alive() { ! process_alive "$1"; }

e2e_cleanup() {
  local status=$? pid
  if [ $status -ne 0 ] && [ $status -ne $E2E_SKIP ] && [ -d "$E2E_WORK" ]; then
    import -window root "$E2E_WORK/failure.png" 2>/dev/null && log "screen at the failure: $E2E_WORK/failure.png"
    # Whether the hot key was seen at all: its log line comes before any paste.
    [ -f "$(log_file)" ] && log "log.txt at the failure ends with: $(tail -n 2 "$(log_file)" | tr -d '\r' | paste -sd'|')"
    # Whether the library took the keys for another program's.
    log "windows at the failure: $(probe foreground 2>&1 | tr -d '\r' | paste -sd'|')"
    log "X's keyboard focus at the failure: $(xdotool getwindowfocus getwindowname 2>&1 | paste -sd' ')"
    [ -f "$E2E_WORK/foreground.out" ] &&
      log "the foreground's last changes: $(grep -E '^[0-9:.]+ ' "$E2E_WORK/foreground.out" | tail -n 4 | tr -d '\r' | paste -sd'#')"
    # The probe's last runs as the probe saw them (command -> status).
    [ -f "$E2E_WORK/probe-trace.txt" ] &&
      log "the probe's last runs: $(tail -n 6 "$E2E_WORK/probe-trace.txt" | paste -sd'|')"
    # The programs' last clipboard calls (see start_program); the whole
    # trace stays in the scenario's folder.
    for out in "$E2E_WORK"/notepad.out "$E2E_WORK"/target.out; do
      [ -f "$out" ] && log "$(basename "$out" .out)'s last clipboard calls: $(grep ':clipboard:' "$out" | tail -n 4 | paste -sd'|')"
    done
  fi
  if [ -n "${tarvok_pid:-}" ] && process_alive "$tarvok_pid"; then
    probe post TMainForm 0x0111 106 0 >/dev/null 2>&1
    for _ in $(seq 50); do process_alive "$tarvok_pid" || break; sleep 0.1; done
  fi
  for pid in "${e2e_started_pids[@]}"; do
    process_alive "$pid" && kill "$pid" 2>/dev/null
  done
  for pid in "${e2e_started_pids[@]}"; do
    for _ in $(seq 50); do process_alive "$pid" || break; sleep 0.1; done
    if process_alive "$pid"; then
      kill -9 "$pid" 2>/dev/null
      log "had to kill $pid"
    fi
    wait "$pid" 2>/dev/null
  done
  if [ -n "$e2e_own_xvfb" ]; then
    wineserver -k 2>/dev/null
    kill "$e2e_own_xvfb" 2>/dev/null
    wait "$e2e_own_xvfb" 2>/dev/null
  fi
  [ $status -eq 0 ] && log "passed"
  exit $status
}

# ---- waiting ---------------------------------------------------------------

# wait_until <seconds> <what> <command...>: polls the command until it
# succeeds; fails the scenario naming <what> when the limit passes.
wait_until() {
  local limit=$1 what=$2
  shift 2
  local deadline=$((SECONDS + ${limit%.*} + 1))
  until "$@"; do
    [ $SECONDS -ge $deadline ] && fail "gave up waiting ${limit}s for $what"
    sleep 0.1
  done
}

# ---- input -----------------------------------------------------------------

# X window id of a visible window with this exact title.
# xdotool's search gives up on an X error, which a window being created or
# destroyed meanwhile can cause: search again until the limit.
x_window() {
  local pattern wid deadline=$((SECONDS + E2E_START_LIMIT))
  pattern="^$(sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$1")\$"
  while [ $SECONDS -lt $deadline ]; do
    wid=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    sleep 0.1
  done
  return 1
}

# Gives the keyboard focus to a window. There is no window manager, so the
# focus is set on the X window directly and awaited, and the window is made
# Wine's foreground window as a click would make it.
focus() {
  local wid
  wid=$(x_window "$1")
  [ -n "$wid" ] || fail "no visible X window '$1'"
  xdotool windowfocus --sync "$wid" || fail "could not focus '$1'"
  probe activate "$1" $((E2E_START_LIMIT * 1000)) || fail "'$1' did not become the foreground window"
}

# A hot key may start a delivery, which presses keys of its own and holds
# the clipboard for 300 ms. A key typed before it has ended would land in
# the middle of it: the scenario must first see the delivery end
# (delivery_done) or see that none came (expect_quiet). Typing too early
# fails the scenario at once instead of now and then.
e2e_delivery_open=0
delivery_may_run() { e2e_delivery_open=1; }
delivery_over() { e2e_delivery_open=0; }
typing_allowed() {
  [ "$e2e_delivery_open" = 0 ] ||
    fail "typed before the end of the previous delivery (wait with delivery_done or expect_quiet first)"
}

type_text() {
  typing_allowed
  xdotool type --delay 40 "$1"
}
press() {
  typing_allowed
  xdotool key --delay 40 "$@"
}
# Presses the hot key, noting the clipboard's sequence number first so that
# delivery_done can see the user's clipboard come back.
hot_key() {
  e2e_clip_seq=$(probe clip-seq)
  press "${1:-ctrl+equal}"
  delivery_may_run
}

# The end of a delivery: the user's clipboard is back and the paste's keys
# are up.
delivery_done() {
  probe wait-clip-back "$e2e_clip_seq" $((E2E_RESULT_LIMIT * 1000)) ||
    fail "the user's clipboard did not come back; it holds: $(probe clip-dump 2>&1 | tr -d '\r' | paste -sd ' ')"
  probe wait-keys-up $((E2E_RESULT_LIMIT * 1000)) || fail "the paste left keys down"
  delivery_over
}

# Clicks the middle of a screen rectangle "left top right bottom".
click_rect() {
  local left top right bottom
  read -r left top right bottom <<<"$1"
  [ -n "${bottom:-}" ] || fail "no rectangle to click"
  xdotool mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

# ---- the controller's own windows -----------------------------------------

# The tray icon's mouse messages reach the options window as message 1044.
tray_click() { probe post TMainForm 1044 1 "$1" || fail "could not reach the tray icon's window"; }

open_options_window() {
  tray_click 0x203   # double click
  probe wait-visible TMainForm $((E2E_START_LIMIT * 1000)) || fail "the options window did not open"
  focus "$(probe title TMainForm)"
}

# Opens the tray menu with a right click and chooses an item with the
# keyboard, as a user can: the keys go to the menu's own X window, found by
# its place on the screen. Down from no selection selects the first item,
# Up the last.
choose_from_tray_menu() {
  local label=$1 left top right bottom wid candidate X Y
  shift
  tray_click 0x204
  probe wait-visible '#32768' $((E2E_START_LIMIT * 1000)) || fail "the tray menu did not open"
  read -r left top right bottom <<<"$(probe window-rect '#32768')"
  for candidate in $(xdotool search --onlyvisible --classname '^tarvok\.exe$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$candidate")"
    [ "$X $Y" = "$left $top" ] && wid=$candidate
  done
  [ -n "${wid:-}" ] || fail "no X window for the tray menu at $left,$top"
  [ -n "${e2e_menu_shot:-}" ] || { screenshot_window "#32768" e2e-tray-menu.png; e2e_menu_shot=1; }
  xdotool windowfocus --sync "$wid" || fail "could not focus the tray menu"
  press "$@" Return
  probe wait-hidden '#32768' $((E2E_RESULT_LIMIT * 1000)) || fail "the tray menu did not close after '$label'"
}

# Wine shows the icons of the notification area in a window of its own,
# which it hides when the last icon goes. It maps that window a moment after
# the icon has been added: wait for it, never look once.
tray_icon_shown() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; }

# ---- checks ----------------------------------------------------------------

# The field of a window reaches exactly this (escaped, \n for a line break).
expect_text() {
  probe wait-text "$1" "$2" $((E2E_RESULT_LIMIT * 1000)) || fail "field of '$1' is not '$2'"
}

log_file() { printf '%s/log.txt' "$E2E_APP"; }
log_lines() { awk 'END { print NR }' "$(log_file)" 2>/dev/null || echo 0; }
log_last() { tr -d '\r' <"$(log_file)" | tail -n 1; }

last_log_line_ends_with() { [ -f "$(log_file)" ] && [[ "$(log_last)" == *"$1" ]]; }

# The log's last line ends with the text; also checks the "[time] " head.
expect_log_tail() {
  wait_until $E2E_RESULT_LIMIT "a log line ending with '$1'" last_log_line_ends_with "$1"
  [[ "$(log_last)" =~ ^\[[^]]+\]\  ]] || fail "log line without a timestamp: $(log_last)"
}

# Nothing changes for a while: the field keeps its text and the log its length.
expect_quiet() {
  local window=$1 text=$2 lines
  lines=$(log_lines)
  sleep "$E2E_QUIET"
  [ "$(probe text "$window" | tr -d '\r')" = "$text" ] || fail "field of '$window' changed: $(probe text "$window")"
  [ "$(log_lines)" = "$lines" ] || fail "a log line was written: $(log_last)"
  # A quiet time this long holds the end of any delivery.
  delivery_over
}

# A calculation in a window: type, hot key, expect the expression followed
# by the result in the field and the log line (whose "=" is the typed one
# when the expression ends with "=").
calculate_in() {
  local window=$1 expression=$2 result=$3 hotkey=${4:-ctrl+equal} before logged
  logged="$expression="
  [[ "$expression" =~ =[[:blank:]]*$ ]] && logged=$expression
  # An unread field would pass for an empty one and fail the scenario
  # later, at the wrong step.
  before=$(probe text "$window") || fail "could not read the field of '$window' before typing"
  before=$(tr -d '\r' <<<"$before")
  focus "$window"
  type_text "$expression"
  expect_text "$window" "$before$expression"   # every key arrived before the hot key
  hot_key "$hotkey"
  expect_text "$window" "$before$expression$result"
  expect_log_tail "$logged$result"
  delivery_done
}

# ---- evidence --------------------------------------------------------------

# Saves the screen area of a window (by class or title) as docs material.
screenshot_window() {
  local window=$1 file=$2 margin=${3:-0} left top right bottom
  read -r left top right bottom <<<"$(probe window-rect "$window" | tr -d '\r')"
  [ -n "${bottom:-}" ] || return 0
  left=$((left > margin ? left - margin : 0))
  top=$((top > margin ? top - margin : 0))
  import -window root -crop "$((right - left + margin))x$((bottom - top + margin))+$left+$top" +repage \
    "$E2E_SCREENS/$file" 2>/dev/null && log "screenshot $E2E_SCREENS/$file"
}

measure() { printf '%s %s %s\n' "$(date -u +%FT%TZ)" "$E2E_NAME" "$*" >>"$E2E_MEASURE"; }

