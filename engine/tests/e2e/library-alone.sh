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

# The probe presses the hot key itself, waits for the result and presses the
# letter that many ms after the hot key, while the delivery still runs.
for after in 150 250; do
  log "a letter typed $after ms after the hot key arrives as that letter"
  press Return
  field="$field\\n"
  type_text "4*4"
  expect_text "$TARGET" "${field}4*4"
  e2e_clip_seq=$(probe clip-seq)
  timing=$(probe letter-after-hotkey "$TARGET" "${field}4*416.00" $after x $((E2E_RESULT_LIMIT * 1000))) ||
    fail "the letter after the result: $timing"
  delivery_may_run
  measure "letter after the hot key: $timing"
  delivery_done
  field="${field}4*416.00x"
done

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
cp "$PLUGIN_DIR/$E2E_CONVERTER" "$E2E_APP/"
press Return
remember_clipboard
type_text "2*3"
hot_key
expect_text "$TARGET" "$field\\n2*3<6.00|0409>"
expect_log_tail "2*3=6.000"
expect_clipboard_back
rm -f "$E2E_APP/$E2E_CONVERTER"

# The target counts the = key's WM_KEYDOWN and WM_KEYUP it takes from its
# queue: "<downs> <ups>".
hot_key_counts() {
  local both
  both=$(probe send "$TARGET" 0x8004 0 0 | tr -d '\r') || fail "could not reach the target"
  echo "$((both & 0xFFFF)) $((both >> 16))"
}
update_settings 2 1 0xBB 4
for keep in 0 1 0; do
  log "a calculating hot key with the option to keep it from the program $keep"
  host keep $keep || fail "could not set the option"
  press Return
  field="$field\\n"
  read -r downs ups <<<"$(hot_key_counts)"
  calculate_in "$TARGET" "3*3" "9.00"
  passed=$((1 - keep))
  [ "$(hot_key_counts)" = "$((downs + passed)) $((ups + passed))" ] ||
    fail "the program took the = key's down and up $downs $ups before, $(hot_key_counts) after"
  field="${field}3*39.00"
done

log "a password field: nothing recorded, the hot key only passes on"
PASSWORD_TARGET="Tarvok Password Target"
start_target "$PASSWORD_TARGET" password
focus "$PASSWORD_TARGET"
remember_clipboard
lines=$(log_lines)
type_text "2*3"
press ctrl+equal
expect_quiet "$PASSWORD_TARGET" "2*3"
expect_clipboard_unchanged
[ "$(probe clip-seq | tr -d '\r')" = "$clipboard_seq" ] || fail "the clipboard was touched"
probe post "$PASSWORD_TARGET" 0x8005 0 0 || fail "could not reach the password target"
calculate_in "$PASSWORD_TARGET" "4" "4.00"   # "2*3" was never recorded
[ "$(log_lines)" = $((lines + 1)) ] || fail "the password field was logged: $(tail -n 2 "$(log_file)")"
focus "$TARGET"

log "Wine's notepad"
start_notepad
remember_clipboard
calculate_in "$NOTEPAD" "2*3" "6.00"
expect_clipboard_back

stop_host
wait_until 15 "the host to end" not_alive "$host_pid"
