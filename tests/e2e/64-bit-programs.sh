# The 64-bit half, in a 64-bit Wine prefix with tarvok.exe started as a user
# starts it: the helper tarvok64.exe comes up with it, and Ctrl+= calculates
# in a 64-bit test window and Wine's 64-bit notepad (field, log line, the
# user's clipboard with its bitmap back, read by the 64-bit probe); Apply
# reaches the running 64-bit program; Disable ends the helper and leaves
# typing alone, Enable brings it back; Exit, and tarvok.exe killed, each end
# the helper within a second; without tarvok64.exe a balloon says so and a
# 32-bit program still calculates.
#   bash 64-bit-programs.sh <32-bit bin dir> <work dir> <64-bit bin dir>
source "$(dirname "$0")/lib64.sh"

# The helper is gone within a second once the command that ends it has
# returned; the check allows one more for a loaded machine (process exit
# under Wine, the polling), and the measured time is recorded.
expect_helper_ends_with() {
  local limit_ms=${HELPER_LIMIT_MS:-2000}
  helper_runs || fail "no helper before '$*'"
  "$@"
  local started elapsed
  started=$(date +%s%N)
  until no_helper; do
    elapsed=$((($(date +%s%N) - started) / 1000000))
    [ $elapsed -gt "$limit_ms" ] &&
      fail "the helper still runs ${elapsed} ms after '$*': $(ps -o pid=,stat=,args= -p "$(helper_pids | paste -sd,)")"
    sleep 0.05
  done
  measure "helper_gone_ms=$((($(date +%s%N) - started) / 1000000)) after: $*"
}

E2E_WINE=$WINE64 start_program target64 "$(winepath -w "$E2E_BIN64/tarvok-target.exe")" "$TARGET64"
probe wait-visible "$TARGET64" $((E2E_START_LIMIT * 1000)) || fail "the 64-bit target did not show"
E2E_WINE=$WINE64 start_program notepad64 'C:\windows\system32\notepad.exe'
probe wait-visible "$NOTEPAD" $((E2E_START_LIMIT * 1000)) || fail "the 64-bit notepad did not show"

start_tarvok
wait_until $E2E_START_LIMIT "the helper to start" helper_runs
calculate_in "$TARGET64" "2*3" "6.00"
calculate_in "$NOTEPAD" "2*3" "6.00"
# Wine's notepad runs its thread at the 53-bit precision of 64-bit programs
# (control word 0x27F): 2^53 + 1 comes out right only with the evaluator's own.
calculate_in "$NOTEPAD" " 9007199254740993+0" "9007199254740993.00"

# Apply: precision 2 -> 4 in the options window.
open_options_window
read -r left top right bottom <<<"$(probe child-rect TMainForm msctls_updown32)"
[ -n "${bottom:-}" ] || fail "no spin buttons in the options window"
for _ in 1 2; do
  xdotool mousemove --sync $(((left + right) / 2)) $((top + (bottom - top) / 4)) click 1
done
expect_text TMainForm "4"
click_rect "$(probe child-rect TMainForm Button Apply)"
wait_until $E2E_RESULT_LIMIT "the block to carry precision 4" test "$(block_field Precision)" = 4
click_rect "$(probe child-rect TMainForm Button OK)"
probe wait-hidden TMainForm $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the options window"
calculate_in "$TARGET64" " 1/8" "0.1250"

# Disable: the helper goes, typing passes unchanged, nothing is logged.
expect_helper_ends_with choose_from_tray_menu Disable Down Down
focus "$TARGET64"
before=$(probe text "$TARGET64" | tr -d '\r')
type_text " 5+5"
expect_text "$TARGET64" "$before 5+5"
press ctrl+equal
expect_quiet "$TARGET64" "$before 5+5"
choose_from_tray_menu Enable Down Down
wait_until $E2E_START_LIMIT "the helper to start again" helper_runs
calculate_in "$TARGET64" " 7*3" "21.0000"

expect_helper_ends_with probe post TMainForm 0x0111 106 0
wait_until 15 "tarvok.exe to end" not_alive "$tarvok_pid"

# tarvok.exe ended by force: the helper follows by itself.
start_tarvok
wait_until $E2E_START_LIMIT "the helper to start" helper_runs
# Wine signals a killed process's handle only once it has noticed the
# end, which has taken up to about two seconds here (its hooks linger as
# long); the helper's own part is what the Exit above measures.
HELPER_LIMIT_MS=3500 expect_helper_ends_with kill -9 "$tarvok_pid"
wait "$tarvok_pid" 2>/dev/null
# A killed controller's hooks stay for a moment under Wine; a fresh server
# for the last part.
# The new server and Wine's services are started here, detached from
# CTest's output: started by the next Windows program they would inherit it
# and keep CTest waiting after the end.
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null

# Without the helper: the 32-bit half alone, in a 32-bit program, checked
# with the 32-bit probe (the clipboard's bitmap is then a 32-bit program's).
E2E_PROBE=$E2E_BIN/tarvok-probe.exe
fill_user_clipboard
rm -f "$E2E_APP/tarvok64.exe"
start_target
start_tarvok
# The notice is a balloon at the tray icon (a tooltip window of the shell).
balloon_says() { [[ "$(probe text tooltips_class32 2>/dev/null | tr -d '\r')" == *"$1"* ]]; }
wait_until $E2E_RESULT_LIMIT "the balloon saying that tarvok64.exe is missing" balloon_says "tarvok64.exe or calc64.dll is missing"
calculate_in "$TARGET" "3*4" "12.0000"
no_helper || fail "a helper runs without its file"
