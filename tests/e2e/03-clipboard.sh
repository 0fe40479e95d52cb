# The user's clipboard survives a calculation: 8-bit text, Unicode text with
# a different wording, a registered format with binary bytes and a bitmap are
# all back afterwards, byte for byte and in the same order.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_target
start_tarvok

fill_user_clipboard
before=$(probe clip-dump)
log "clipboard before:"$'\n'"$before"

calculate_in "$TARGET" "2*3" "6.00"   # waits for the clipboard to come back
after=$(probe clip-dump)
[ "$after" = "$before" ] || fail "clipboard differs after the calculation:"$'\n'"$(diff <(echo "$before") <(echo "$after"))"

# A second calculation right after the first restore must give back the same.
calculate_in "$TARGET" "1+1" "2.00"
[ "$(probe clip-dump)" = "$before" ] || fail "clipboard differs after the second calculation"
