# The tray menu: Disable stops calculating (the hot key does nothing and the
# typing reaches the program unchanged, without a click to bring the keyboard
# back from the menu), Enable brings it back, Exit removes
# the hooks and the block and ends the process.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_target
start_tarvok
wait_until $E2E_START_LIMIT "the tray icon" tray_icon_shown

# The menu takes the foreground; after Disable the keyboard is back with the
# target without a click into it. Without a window manager X sends the keys
# to the window under the pointer, and Wine passes them to its foreground
# window: the pointer rests on the target, which is not activated by that.
focus "$TARGET"
choose_from_tray_menu Disable Down Down
wait_until $E2E_RESULT_LIMIT "Disable to destroy the block" not probe mapping-dump
read -r left top right bottom <<<"$(probe window-rect "$TARGET")"
xdotool mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2))
type_text "2*3"
press ctrl+equal   # switched off: nothing calculates
type_text "!"
expect_text "$TARGET" "2*3!"
expect_quiet "$TARGET" "2*3!"
press Return

choose_from_tray_menu Enable Down Down
wait_until $E2E_RESULT_LIMIT "Enable to fill a new block" block_is_filled
calculate_in "$TARGET" "2*3" "6.00"
press Return

# The About box is modal: the menu command returns when it is closed.
choose_from_tray_menu About Up Up
probe wait-visible "About Tarvok" $((E2E_START_LIMIT * 1000)) || fail "the About box did not open"
focus "About Tarvok"
screenshot_window "About Tarvok" e2e-about-box.png
click_rect "$(probe child-rect "About Tarvok" Button OK)"
probe wait-hidden "About Tarvok" $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the About box"

choose_from_tray_menu Exit Up
wait_until $E2E_RESULT_LIMIT "tarvok.exe to end" not_alive "$tarvok_pid"
probe mapping-dump >/dev/null && fail "the block outlived tarvok.exe"
probe wait-gone TMainForm 1000 || fail "the options window outlived the process"
wait_until $E2E_RESULT_LIMIT "the tray icon to go" not tray_icon_shown
focus "$TARGET"
text_before=$(probe text "$TARGET")
type_text "4*4"
press ctrl+equal
expect_text "$TARGET" "${text_before}4*4"
expect_quiet "$TARGET" "${text_before}4*4"
