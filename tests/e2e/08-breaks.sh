# What ends an expression: Enter, an arrow key, Home, a mouse click and
# Escape between two expressions leave only the second to be calculated; Backspace
# inside an expression erases its last character; an expression longer than
# the 300 characters the buffer keeps is calculated from its last 301.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_target
start_tarvok
focus "$TARGET"

# Each case: the break after "5+", then "2*3"; without the break the
# expression would be 5+2*3 and give 11.
type_text "5+"
press Return
calculate_in "$TARGET" "2*3" "6.00"
expected="5+\\n2*36.00"
for break_key in Right Escape; do
  press Return
  type_text "5+"
  press "$break_key"
  calculate_in "$TARGET" "2*3" "6.00"
  expected="$expected\\n5+2*36.00"
done
expect_text "$TARGET" "$expected"

# A click in the field, at the end of its text, is a break as well.
press Return
type_text "5+"
read -r left top right bottom <<<"$(probe child-rect "$TARGET" Edit)"
xdotool mousemove --sync $((right - 30)) $((bottom - 12)) click 1
calculate_in "$TARGET" "2*3" "6.00"
expected="$expected\\n5+2*36.00"
expect_text "$TARGET" "$expected"

# Home: what is typed at the start of the line is an expression of its own
# (5+2*3 would give 11 and be pasted after the "5+").
press Return
type_text "5+"
press Home
type_text "2*3"
expect_text "$TARGET" "$expected\\n2*35+"
hot_key
expected="$expected\\n2*36.005+"
expect_text "$TARGET" "$expected"
expect_log_tail "2*3=6.00"
delivery_done
press End   # the next case starts on a line of its own

# Backspace: "12", Backspace, "3" is 13.
press Return
type_text "12"
press BackSpace
calculate_in "$TARGET" "3" "13.00"
expected="$expected\\n1313.00"
expect_text "$TARGET" "$expected"

# 351 characters "1+1+...+1": the last 301 hold 151 ones.
press Return
long=$(printf '1+%.0s' $(seq 175))1
type_text "$long"
hot_key
expect_text "$TARGET" "$expected\\n${long}151.00"
expect_log_tail "=151.00"
delivery_done
