# Options through the options window, as a user sets them. A key that
# occurs in typing ("a") is refused, so the field keeps Ctrl+=, and a number
# typed into the precision box (5) is saved by OK. Then the hot key becomes
# Ctrl+K, a letter with Ctrl. The notepad that was already running
# calculates with the new settings at once, the old hot key does nothing,
# and a restarted tarvok.exe still has them. Also measures the controller's
# working set after start-up and after the window is put away.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_notepad
start_tarvok
measure "working_set_after_start bytes=$(probe working-set TMainForm) rss_kb=$(grep VmRSS /proc/$tarvok_pid/status | tr -dc 0-9)"

open_options_window
screenshot_window TMainForm e2e-options-window.png

click_rect "$(probe child-rect TMainForm msctls_hotkey32)"
press a
click_rect "$(probe child-rect TMainForm Edit)"
press End BackSpace
type_text 5
expect_text TMainForm "5"   # the precision field is the window's first Edit
screenshot_window TMainForm e2e-options-window-changed.png
click_rect "$(probe child-rect TMainForm Button OK)"
probe wait-hidden TMainForm $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the options window"

wait_until $E2E_RESULT_LIMIT "the block to carry Ctrl+= and precision 5" \
  test "$(block_field HotKeyModifiers) $(block_field HotKeyVirtualKey) $(block_field Precision)" = "4 0xBB 5"
[ "$(probe reg-get ShortCut)" = "Ctrl+=" ] || fail "ShortCut is '$(probe reg-get ShortCut)'"
[ "$(probe reg-get precision)" = 5 ] || fail "precision is '$(probe reg-get precision)'"
fill_user_clipboard
calculate_in "$NOTEPAD" "2*3" "6.00000"

open_options_window
click_rect "$(probe child-rect TMainForm msctls_hotkey32)"
press ctrl+k
click_rect "$(probe child-rect TMainForm Button OK)"
probe wait-hidden TMainForm $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the options window"
wait_until $E2E_RESULT_LIMIT "the block to carry Ctrl+K" \
  test "$(block_field HotKeyModifiers) $(block_field HotKeyVirtualKey)" = "4 0x4B"
[ "$(probe reg-get ShortCut)" = "Ctrl+K" ] || fail "ShortCut is '$(probe reg-get ShortCut)'"
measure "working_set_after_options bytes=$(probe working-set TMainForm) rss_kb=$(grep VmRSS /proc/$tarvok_pid/status | tr -dc 0-9)"

# The old hot key first, then the new one: exactly one log line must appear.
lines=$(log_lines)
focus "$NOTEPAD"
press Return
type_text "2*4"
press ctrl+equal   # the old hot key calculates nothing
hot_key ctrl+k
expect_text "$NOTEPAD" "2*36.00000\\n2*48.00000"
expect_log_tail "2*4=8.00000"
delivery_done
[ "$(log_lines)" = $((lines + 1)) ] || fail "the old hot key calculated as well: $(tail -n 2 "$(log_file)")"

exit_tarvok
start_tarvok
hot_key_after_restart="$(block_field HotKeyModifiers) $(block_field HotKeyVirtualKey) $(block_field Precision)"
[ "$hot_key_after_restart" = "4 0x4B 5" ] ||
  fail "after a restart the block holds modifiers, key and precision $hot_key_after_restart"
calculate_in "$NOTEPAD" " 1+1" "2.00000" ctrl+k
