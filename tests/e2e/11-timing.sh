# Times calculations as a user sees them: from the hot key to the result in
# the field (the paste is due after 100 ms) and to the user's clipboard being
# back (due after 300 ms). Each sample is appended to the suite's measurement
# file; BENCHMARKS.md summarises them.
source "$(dirname "$0")/lib.sh"
e2e_begin

samples=${TARVOK_E2E_TIMING_SAMPLES:-10}
start_target
start_tarvok
probe clip-put-set || fail "could not fill the clipboard"
focus "$TARGET"
expected=""
for i in $(seq "$samples"); do
  type_text "$i*3"
  expected="$expected$i*3$(printf '%d.00' $((i * 3)))"
  timing=$(probe hotkey-timing "$TARGET" "$expected" $((E2E_RESULT_LIMIT * 1000))) ||
    fail "calculation $i: $timing"
  measure "hotkey $timing"
  probe wait-keys-up $((E2E_RESULT_LIMIT * 1000)) || fail "the paste left keys down"
  press Return
  expected="$expected\\n"
  probe wait-text "$TARGET" "$expected" $((E2E_RESULT_LIMIT * 1000)) >/dev/null || fail "Enter did not arrive"
done
