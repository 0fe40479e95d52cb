# Two programs typed into by turns: each process keeps its own expression.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_notepad
start_target
start_tarvok

type_into() {  # window text expected-field-text
  focus "$1"
  type_text "$2"
  expect_text "$1" "$3"
}
type_into "$NOTEPAD" "2*" "2*"
type_into "$TARGET" "10+" "10+"
type_into "$NOTEPAD" "3" "2*3"
type_into "$TARGET" "5" "10+5"

focus "$NOTEPAD"
hot_key
expect_text "$NOTEPAD" "2*36.00"
expect_log_tail "2*3=6.00"
delivery_done
focus "$TARGET"
hot_key
expect_text "$TARGET" "10+515.00"
expect_log_tail "10+5=15.00"
delivery_done
