# The result as a line: with a converter plug-in in the program folder its
# text is pasted; without one the log line is written and nothing is pasted.
source "$(dirname "$0")/lib.sh"
e2e_begin

plugin=$E2E_BIN/test-plugin/$E2E_CONVERTER
[ -f "$plugin" ] || skip "the test converter plug-in is not built"

start_target
start_tarvok

# "Show result as a line", then OK.
open_options_window
click_rect "$(probe child-rect TMainForm Button 'Show result as a line')"
click_rect "$(probe child-rect TMainForm Button OK)"
probe wait-hidden TMainForm $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the options window"
wait_until $E2E_RESULT_LIMIT "the block to carry the line form" test "$(block_field ResultForm)" = 2
[ "$(probe reg-get Type)" = 1 ] || fail "Type is '$(probe reg-get Type)'"

# Without a plug-in: the log line, and the field keeps just the expression.
focus "$TARGET"
type_text "2*3"
hot_key
expect_log_tail "2*3=6.00"
expect_quiet "$TARGET" "2*3"

# With the plug-in: its text for the value and the thread's layout.
cp "$plugin" "$E2E_APP/$E2E_CONVERTER"
press Return
type_text "5*5"
hot_key
expect_text "$TARGET" '2*3\n5*5(25.000 as a line, layout 0409)'
expect_log_tail "5*5=25.00"
delivery_done
