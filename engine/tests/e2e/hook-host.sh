# Steps shared by the scenarios that run calc.dll alone: a small host does the
# controller's part (settings block, Path, the two hooks) instead of
# tarvok.exe. Sourced after the scenario has set PLUGIN_DIR; sources the
# shared steps of tests/e2e/lib.sh.
source "$(dirname "${BASH_SOURCE[0]}")/../../../tests/e2e/lib.sh"

# The library and the host instead of the controller.
e2e_stage_app() {
  local required
  for required in "$E2E_HOOK_LIBRARY" tarvok-hook-host.exe tarvok-probe.exe tarvok-target.exe; do
    [ -f "$E2E_BIN/$required" ] || skip "$required is not built yet"
  done
  [ -f "$PLUGIN_DIR/$E2E_CONVERTER" ] || skip "the test converter is not built yet"
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_APP" "$E2E_SCREENS"
  cp "$E2E_BIN/$E2E_HOOK_LIBRARY" "$E2E_BIN/tarvok-hook-host.exe" "$E2E_APP/"
  E2E_APP_WIN=$(winepath -w "$E2E_APP/" 2>/dev/null)
}

host() { wine "$E2E_APP/tarvok-hook-host.exe" "$@" </dev/null; }

# start_host <precision> <form> <virtual key> <modifiers> [Path]
start_host() {
  start_program host "$E2E_APP/tarvok-hook-host.exe" run "${5:-$E2E_APP_WIN}" "$1" "$2" "$3" "$4"
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
# The end of a delivery: the user's clipboard back whole, the paste's keys up.
expect_clipboard_back() {
  probe wait-clip-back "$clipboard_seq" $((E2E_RESULT_LIMIT * 1000)) || fail "the user's clipboard did not come back"
  expect_clipboard_unchanged
  probe wait-keys-up $((E2E_RESULT_LIMIT * 1000)) || fail "the paste left keys down"
  delivery_over
}
expect_clipboard_unchanged() {
  local now
  now=$(probe clip-dump)
  [ "$now" = "$clipboard_before" ] || fail "the clipboard is not the user's:"$'\n'"$now"
}

# Types an expression and presses the hot key in one go, as a quick typist
# does; the keys reach the program in order, so the hot key sees the whole
# expression.
type_and_calculate() {
  typing_allowed
  xdotool type --delay 30 "$1"
  xdotool key ctrl+equal
  delivery_may_run
}

# Runs a probe command that announces with one line that it holds something,
# in the background; returns once the line is there.
start_holder() {
  local name=$1 word=$2
  shift 2
  start_program "$name" "$E2E_BIN/tarvok-probe.exe" "$@"
  holder_pid=$started_pid
  wait_until $E2E_RESULT_LIMIT "the probe to say '$word'" grep -q "$word" "$E2E_WORK/$name.out"
}
# A hold that must cover the hot key is ended by the scenario, not by a
# clock: on a loaded machine the steps up to the hot key can outlast any
# fixed time (the result then arrived while the scenario expected none).
HOLD_UNTIL_LET_GO_MS=60000
let_go_of_holder() {
  kill "$holder_pid" 2>/dev/null
  wait_until $E2E_RESULT_LIMIT "the holder to let go" not_alive "$holder_pid"
}
