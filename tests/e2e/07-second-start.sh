# A second start of tarvok.exe gives way to the running one and ends at
# once, without touching its block or hooks; the first keeps calculating.
source "$(dirname "$0")/lib.sh"
e2e_begin

start_target
start_tarvok
first_pid=$tarvok_pid
block_before=$(probe mapping-dump)

start_program tarvok-second "$E2E_APP/tarvok.exe"
second_pid=$started_pid
wait_until $E2E_START_LIMIT "the second tarvok.exe to end" not_alive "$second_pid"
process_alive "$first_pid" || fail "the first tarvok.exe ended too"
[ "$(probe mapping-dump)" = "$block_before" ] || fail "the second start changed the block"
calculate_in "$TARGET" "2*3" "6.00"
