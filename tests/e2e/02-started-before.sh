# A program that was already running when tarvok.exe started picks the hooks
# up on its next message and calculates like any other.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_notepad
focus "$NOTEPAD"
type_text "Total "
expect_text "$NOTEPAD" "Total "

start_tarvok
calculate_in "$NOTEPAD" "7*6" "42.00"
