# An expression that cannot be evaluated: nothing is inserted, the user's
# clipboard comes back, and the log line ends with the expression and "=".
source "$(dirname "$0")/lib.sh"
e2e_begin

start_notepad
start_tarvok

fill_user_clipboard
before=$(probe clip-dump)

focus "$NOTEPAD"
type_text "1/0"
hot_key
expect_log_tail "1/0="
delivery_done
expect_quiet "$NOTEPAD" "1/0"
[ "$(probe clip-dump)" = "$before" ] || fail "the clipboard differs after a failed calculation"

# The next expression is calculated as usual.
press Return
calculate_in "$NOTEPAD" "9-4" "5.00"
