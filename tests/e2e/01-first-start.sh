# First start of tarvok.exe for a new user: the settings key gets the
# installation values, the settings block is created and filled with the
# hooks and the default settings, and Ctrl+= calculates in Wine's notepad
# and in our own test window, also written as the help teaches it, "=" last.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_notepad
start_target
start_tarvok
wait_until $E2E_START_LIMIT "the tray icon" tray_icon_shown

# Each value read once, and that reading shown when it is wrong.
path=$(probe reg-get Path)
[ "$path" = "$E2E_APP_WIN" ] || fail "Path is '$path', expected '$E2E_APP_WIN'"
language_folder=$(probe reg-get GlobalPathlanguage)
[ "$language_folder" = "${E2E_APP_WIN}language\\" ] || fail "GlobalPathlanguage is '$language_folder'"
wait_until $E2E_RESULT_LIMIT "ferstrun to be set" test "$(probe reg-get ferstrun)" = 1

block=$(probe mapping-dump)
for field in "Precision=2" "ResultForm=1" "HotKeyModifiers=4" "HotKeyVirtualKey=0xBB" "UnusedZero=yes"; do
  grep -qx "$field" <<<"$block" || fail "block field $field expected; block is: $(tr '\n' ' ' <<<"$block")"
done
grep -q '^GetMessageHook=0x[1-9a-f]' <<<"$block" || fail "no WH_GETMESSAGE hook in the block"
grep -q '^ControllerWindow=0x[1-9a-f]' <<<"$block" || fail "no controller window in the block"

calculate_in "$NOTEPAD" "2*3" "6.00"
calculate_in "$TARGET" "2*3" "6.00"
calculate_in "$TARGET" " Price 12*3=" "36.00"
