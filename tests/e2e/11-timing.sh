# Times calculations as a user sees them, in the test window and in Wine's
# notepad: from the hot key to the result in the field (the paste is due
# after 100 ms) and to the user's clipboard being
# back (due after 300 ms). Each sample is appended to the suite's measurement
# file; BENCHMARKS.md summarises them.
source "$(dirname "$0")/lib.sh"
e2e_begin

samples=${TARVOK_E2E_TIMING_SAMPLES:-10}

# time_in <window> <measurement name>: the samples in that window's field.
time_in() {
  local window=$1 name=$2 i timing expected
  expected=$(probe text "$window") || fail "could not read the field of '$window'"
  expected=$(tr -d '\r' <<<"$expected")
  focus "$window"
  for i in $(seq "$samples"); do
    type_text "$i*3"
    expected="$expected$i*3$(printf '%d.00' $((i * 3)))"
    timing=$(probe hotkey-timing "$window" "$expected" $((E2E_RESULT_LIMIT * 1000))) ||
      fail "calculation $i in '$window': $timing"
    measure "$name $timing"
    probe wait-keys-up $((E2E_RESULT_LIMIT * 1000)) || fail "the paste left keys down"
    press Return
    expected="$expected\\n"
    probe wait-text "$window" "$expected" $((E2E_RESULT_LIMIT * 1000)) >/dev/null || fail "Enter did not arrive"
  done
}

start_target
start_notepad
start_tarvok
fill_user_clipboard
time_in "$TARGET" hotkey
time_in "$NOTEPAD" hotkey_notepad
