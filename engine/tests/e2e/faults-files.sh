# calc.dll with its files and settings in the way, in our target window under
# Wine: log.txt read-only and locked by another program, Path naming a
# missing folder, a relative folder or nothing, a converter that answers
# with no text, an empty text and 100,000 characters, and the options-update
# message posted by a stranger.
#
#   bash faults-files.sh <bin dir> <work dir> <plug-in dir>
PLUGIN_DIR=$(cd "${3:?plug-in dir}" && pwd)
source "$(dirname "$0")/hook-host.sh"

field=""
expect_field() { expect_text "$TARGET" "$field"; }
next_line() {
  press Return
  field="$field\\n"
}
# A calculation that must reach the field and the log.
works() {
  next_line
  remember_clipboard
  type_and_calculate "$1"
  field="$field$1$2"
  expect_field
  expect_log_tail "$1=${3:-$2}"
  expect_clipboard_back
}
# A calculation that must leave the field, the log and the clipboard alone.
refused() {
  local lines
  next_line
  remember_clipboard
  lines=$(log_lines)
  type_and_calculate "$1"
  field="$field$1"
  expect_quiet "$TARGET" "$field"
  [ "$(log_lines)" = "$lines" ] || fail "a log line was written: $(log_last)"
  expect_clipboard_unchanged
}

# An immutable file would keep the next run from clearing the folder.
files_cleanup() {
  local status=$?
  chattr -i "$(log_file)" 2>/dev/null
  (exit $status)
  engine_cleanup
}

# A run killed while log.txt was immutable would leave it behind.
chattr -i "$(log_file)" 2>/dev/null
e2e_begin
trap files_cleanup EXIT

# The target runs from a folder of its own, which is its current folder as
# well: a library looked up by a relative name would be found there.
TARGET_HOME=$E2E_WORK/target-home
mkdir -p "$TARGET_HOME"
cp "$E2E_BIN/tarvok-target.exe" "$TARGET_HOME/"
cp "$PLUGIN_DIR/$E2E_CONVERTER" "$TARGET_HOME/$E2E_CONVERTER"
cp "$PLUGIN_DIR/$E2E_CONVERTER" "$TARGET_HOME/0$E2E_CONVERTER"
mkdir -p "$TARGET_HOME/plugins"
cp "$PLUGIN_DIR/$E2E_CONVERTER" "$TARGET_HOME/plugins/"

UPDATE_MESSAGE='WM_OptionsUpdateName_tarvok_{C5F8803D-0950-4458-8C07-45E534B40C0D}'

start_host 2 1 0xBB 4
cd "$TARGET_HOME" || fail "no folder for the target"
start_program target "$TARGET_HOME/tarvok-target.exe" "$TARGET"
target_pid=$started_pid
probe wait-visible "$TARGET" $((E2E_START_LIMIT * 1000)) || fail "the target did not show"
focus "$TARGET"
works "2*3" "6.00"

log "log.txt read-only: nothing pasted, nothing lost"
# Wine shows a file without write permission as read-only, but lets root
# write it all the same; the immutable flag stops root as well.
chmod a-w "$(log_file)"
if [ "$(id -u)" = 0 ] && ! chattr +i "$(log_file)" 2>/dev/null; then
  log "cannot make log.txt read-only for root here: a folder named log.txt stands in"
  mv "$(log_file)" "$E2E_WORK/log.txt.saved" && mkdir "$(log_file)"
fi
refused "4*4"
chattr -i "$(log_file)" 2>/dev/null
if [ -d "$(log_file)" ]; then rmdir "$(log_file)" && mv "$E2E_WORK/log.txt.saved" "$(log_file)"; fi
chmod u+w "$(log_file)"
works "4*5" "20.00"

log "log.txt locked by another program: nothing pasted until it lets go"
start_holder file-lock locked file-lock "$(winepath -w "$(log_file)" 2>/dev/null)" $HOLD_UNTIL_LET_GO_MS
refused "5*5"
let_go_of_holder
works "5*6" "30.00"

log "Path names a missing folder: no log and no paste anywhere"
missing='C:\tarvok-missing-folder\'
probe reg-set Path "$missing" || fail "could not set Path"
refused "6*6"
[ ! -e "$WINEPREFIX/drive_c/tarvok-missing-folder" ] || fail "the missing folder was created"
for place in "$TARGET_HOME" "$E2E_APP/.." "$WINEPREFIX/drive_c"; do
  [ ! -e "$place/log.txt" ] && [ ! -e "$place/0log.txt" ] || fail "a log file appeared in $place"
done
log "Path without its closing backslash still names the folder"
probe reg-set Path "${E2E_APP_WIN%\\}" || fail "could not set Path"
works "6*7" "42.00"
[ ! -e "$E2E_WORK/applog.txt" ] || fail "the log went beside the folder as applog.txt"
probe reg-set Path "$E2E_APP_WIN" || fail "could not set Path"

log "the converter: no text, an empty text, 100,000 characters"
cp "$PLUGIN_DIR/$E2E_CONVERTER" "$E2E_APP/"
update_settings 3 2 0xBB 4
for value in 1 2; do
  next_line
  remember_clipboard
  type_and_calculate "$value"
  expect_log_tail "$value=$value.000"
  expect_clipboard_back
  field="$field$value"
  expect_quiet "$TARGET" "$field"
done
next_line
remember_clipboard
type_and_calculate "3"
long=$(printf '0123456789%.0s' $(seq 10000))
field="${field}3$long"
field_is() { [ "$(probe text "$TARGET" | tr -d '\r')" = "$field" ]; }
# Wine's edit control takes 5 to 10 s to insert 100,000 characters on a quiet
# machine, and longer while the other core is busy: the bound is for that
# insertion, not for a calculation.
wait_until $((E2E_RESULT_LIMIT * 4)) "the 100,000 characters in the field" field_is
expect_clipboard_back
probe clear-field "$TARGET" || fail "could not empty the field"
field=""
works "5*5" "(25.000 as a line, layout 0409)" "25.000"

log "no converter from a relative or missing Path"
for path in 0 'plugins\' ''; do
  if [ -n "$path" ]; then probe reg-set Path "$path"; else probe reg-set Path; fi || fail "could not set Path"
  refused "7*7"
done
for place in "$TARGET_HOME" "$TARGET_HOME/plugins"; do
  [ ! -e "$place/log.txt" ] && [ ! -e "$place/0log.txt" ] || fail "a log file appeared in $place"
done
log "an absolute Path without convert.dll: logged there, no converter from anywhere else"
mkdir -p "$E2E_WORK/no-plugin"
probe reg-set Path "$(winepath -w "$E2E_WORK/no-plugin/" 2>/dev/null)" || fail "could not set Path"
next_line
type_and_calculate "8*8"
field="${field}8*8"
wait_until $E2E_RESULT_LIMIT "the log line in the folder without converter" \
  grep -q "8\*8=64.000" "$E2E_WORK/no-plugin/log.txt"
expect_quiet "$TARGET" "$field"
probe reg-set Path "$E2E_APP_WIN" || fail "could not set Path"
works "7*8" "(56.000 as a line, layout 0409)" "56.000"

log "the options-update message from a stranger only re-reads the block"
host write 4 1 0xBB 4 || fail "could not write the block"
works "1/8" "(0.125 as a line, layout 0409)" "0.125"   # not re-read yet
for params in "0 0" "0xDEADBEEF 0x7FFFFFFF" "0xFFFFFFFF 0xFFFFFFFF"; do
  # shellcheck disable=SC2086
  probe post "$TARGET" "$UPDATE_MESSAGE" $params || fail "could not post to the target"
done
expect_quiet "$TARGET" "$field"
works "1/8" "0.1250"
process_alive "$target_pid" || fail "the target ended"

log "number form with Path 0: pasted, but no log file in the program's folder"
probe reg-set Path 0 || fail "could not set Path"
next_line
remember_clipboard
type_and_calculate "9*9"
field="${field}9*981.0000"
expect_field
expect_clipboard_back
for place in "$TARGET_HOME" "$E2E_APP"; do
  [ ! -e "$place/0log.txt" ] || fail "a log file appeared in $place"
done
