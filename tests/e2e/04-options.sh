# Options through the options window, as a user sets them: the hot key
# becomes Shift+Ctrl+= and the precision 4, then OK. The notepad that was
# already running calculates with the new settings at once, the old hot key
# does nothing, and a restarted tarvok.exe still has them. Also measures the
# controller's working set after start-up and after the window is put away.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_notepad
start_tarvok
measure "working_set_after_start bytes=$(probe working-set TMainForm) rss_kb=$(grep VmRSS /proc/$tarvok_pid/status | tr -dc 0-9)"

open_options_window
screenshot_window TMainForm e2e-options-window.png

click_rect "$(probe child-rect TMainForm msctls_hotkey32)"
press shift+ctrl+equal
read -r left top right bottom <<<"$(probe child-rect TMainForm msctls_updown32)"
[ -n "${bottom:-}" ] || fail "no spin buttons in the options window"
for _ in 1 2; do   # the upper half of the spin buttons counts up
  xdotool mousemove --sync $(((left + right) / 2)) $((top + (bottom - top) / 4)) click 1
done
expect_text TMainForm "4"   # the precision field is the window's first Edit
screenshot_window TMainForm e2e-options-window-changed.png
click_rect "$(probe child-rect TMainForm Button OK)"
probe wait-hidden TMainForm $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the options window"

wait_until $E2E_RESULT_LIMIT "the block to carry Shift+Ctrl+= and precision 4" \
  test "$(block_field HotKeyModifiers) $(block_field HotKeyVirtualKey) $(block_field Precision)" = "5 0xBB 4"
[ "$(probe reg-get ShortCut)" = "Shift+Ctrl+=" ] || fail "ShortCut is '$(probe reg-get ShortCut)'"
[ "$(probe reg-get precision)" = 4 ] || fail "precision is '$(probe reg-get precision)'"
measure "working_set_after_options bytes=$(probe working-set TMainForm) rss_kb=$(grep VmRSS /proc/$tarvok_pid/status | tr -dc 0-9)"

# The old hot key first, then the new one: exactly one log line must appear.
lines=$(log_lines)
focus "$NOTEPAD"
type_text "2*3"
hot_key ctrl+equal
hot_key shift+ctrl+equal
expect_text "$NOTEPAD" "2*36.0000"
expect_log_tail "2*3=6.0000"
delivery_done
[ "$(log_lines)" = $((lines + 1)) ] || fail "the old hot key calculated as well: $(tail -n 2 "$(log_file)")"

exit_tarvok
start_tarvok
hot_key_after_restart="$(block_field HotKeyModifiers) $(block_field HotKeyVirtualKey) $(block_field Precision)"
[ "$hot_key_after_restart" = "5 0xBB 4" ] ||
  fail "after a restart the block holds modifiers, key and precision $hot_key_after_restart"
calculate_in "$NOTEPAD" " 1+1" "2.0000" shift+ctrl+equal
