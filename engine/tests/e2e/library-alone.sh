# calc.dll alone in real programs under Wine: a small host does the
# controller's part (settings block, Path, the two hooks), and the test types
# into our target window and into Wine's notepad with xdotool. Uses the
# shared scenario steps of tests/e2e/lib.sh.
#
#   bash library-alone.sh <bin dir> <work dir> <plug-in dir>
PLUGIN_DIR=$(cd "${3:?plug-in dir}" && pwd)
source "$(dirname "$0")/hook-host.sh"

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
delivery_done
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
