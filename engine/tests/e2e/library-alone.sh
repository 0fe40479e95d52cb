# calc.dll alone in real programs under Wine: a small host does the
# controller's part (settings block, Path, the two hooks), and the test types
# into our target window and into Wine's notepad with xdotool. Uses the
# shared scenario steps of tests/e2e/lib.sh.
#
#   bash library-alone.sh <bin dir> <work dir> <plug-in dir>
PLUGIN_DIR=$(cd "${3:?plug-in dir}" && pwd)
source "$(dirname "$0")/../../../tests/e2e/lib.sh"

# The library and the host instead of the controller.
e2e_stage_app() {
  local required
  for required in calc.dll tarvok-hook-host.exe tarvok-probe.exe tarvok-target.exe; do
    [ -f "$E2E_BIN/$required" ] || skip "$required is not built yet"
  done
  [ -f "$PLUGIN_DIR/convert.dll" ] || skip "the test converter is not built yet"
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_APP" "$E2E_SCREENS"
  cp "$E2E_BIN/calc.dll" "$E2E_BIN/tarvok-hook-host.exe" "$E2E_APP/"
  E2E_APP_WIN=$(winepath -w "$E2E_APP/" 2>/dev/null)
}

host() { wine "$E2E_APP/tarvok-hook-host.exe" "$@" </dev/null; }

# run <precision> <form> <virtual key> <modifiers>
start_host() {
  start_program host "$E2E_APP/tarvok-hook-host.exe" run "$E2E_APP_WIN" "$@"
  host_pid=$started_pid
  wait_until $E2E_START_LIMIT "the host to fill the settings block" block_is_filled
}

# New settings for every loaded copy, as Apply in the options window does.
update_settings() {
  host update "$@" || fail "could not update the settings block"
  wait_until $E2E_RESULT_LIMIT "the block to read precision $1" test "$(block_field Precision)" = "$1"
  # A Wine program starting may take the X focus away.
  focus "$TARGET"
}

stop_host() {
  [ -n "${host_pid:-}" ] && process_alive "$host_pid" || return 0
  host stop >/dev/null 2>&1
  for _ in $(seq 100); do process_alive "$host_pid" || return 0; sleep 0.1; done
}

engine_cleanup() {
  local status=$?
  stop_host
  (exit $status)
  e2e_cleanup
}

# The clipboard the user had, back and whole after a delivery.
remember_clipboard() {
  probe clip-put-set >/dev/null || fail "could not fill the clipboard"
  clipboard_before=$(probe clip-dump) || fail "could not read the clipboard"
  clipboard_seq=$(probe clip-seq | tr -d '\r')
}
expect_clipboard_back() {
  probe wait-clip-back "$clipboard_seq" $((E2E_RESULT_LIMIT * 1000)) || fail "the user's clipboard did not come back"
  [ "$(probe clip-dump)" = "$clipboard_before" ] || fail "the clipboard came back changed: $(probe clip-dump)"
}

e2e_begin
trap engine_cleanup EXIT

start_host 2 1 0xBB 4
start_target
focus "$TARGET"

log "number form, precision 2, clipboard given back"
remember_clipboard
calculate_in "$TARGET" "2*3" "6.00"
expect_clipboard_back
field="2*36.00"

log "Enter and Backspace in the middle of typing"
press Return
type_text "5+"
press Return
type_text "12"
press BackSpace
calculate_in "$TARGET" "*3" "3.00"
field="$field\\n5+\\n1*33.00"
expect_text "$TARGET" "$field"

log "an evaluation error inserts nothing and gives the clipboard back"
press Return
field="$field\\n"
remember_clipboard
type_text "2*"
hot_key
expect_log_tail "] 2*="
expect_clipboard_back
field="${field}2*"
expect_quiet "$TARGET" "$field"

log "precision 0 and 10 through the update broadcast"
press Return
update_settings 0 1 0xBB 4
calculate_in "$TARGET" "7/2" "4"
press Return
update_settings 10 1 0xBB 4
calculate_in "$TARGET" "1/4" "0.2500000000"
field="$field\\n7/24\\n1/40.2500000000"

log "a new hot key reaches the running program"
press Return
update_settings 2 1 0xBB 5
type_text "2*4"
hot_key ctrl+equal
expect_quiet "$TARGET" "$field\\n2*4"
hot_key ctrl+shift+equal
expect_text "$TARGET" "$field\\n2*48.00"
expect_log_tail "2*4=8.00"
field="$field\\n2*48.00"

log "line form without the converter: logged, nothing inserted"
press Return
update_settings 3 2 0xBB 4
calculate_lines=$(log_lines)
type_text "2*5"
hot_key
wait_until $E2E_RESULT_LIMIT "the log line of 2*5" test "$(log_lines)" -gt "$calculate_lines"
expect_log_tail "2*5=10.000"
field="$field\\n2*5"
expect_quiet "$TARGET" "$field"

log "line form with the converter beside the library"
cp "$PLUGIN_DIR/convert.dll" "$E2E_APP/"
press Return
remember_clipboard
type_text "2*3"
hot_key
expect_text "$TARGET" "$field\\n2*3<6.00|0409>"
expect_log_tail "2*3=6.000"
expect_clipboard_back
rm -f "$E2E_APP/convert.dll"

log "Wine's notepad"
update_settings 2 1 0xBB 4
start_notepad
remember_clipboard
calculate_in "$NOTEPAD" "2*3" "6.00"
expect_clipboard_back

stop_host
wait_until 15 "the host to end" not_alive "$host_pid"
