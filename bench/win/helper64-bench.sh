# The 64-bit half measured under Wine, in a 64-bit prefix: hot key to result
# in a 64-bit test window (median and max), the memory and kernel handles of
# tarvok.exe and of the helper, and 100 Disable/Enable cycles (each ends one helper and starts
# the next): afterwards exactly one helper runs and tarvok.exe's memory is
# compared with before. Prints "name value" lines; not part of the tests.
#   bash bench/win/helper64-bench.sh <32-bit bin dir> <work dir> <64-bit bin dir>
#   (BENCH_HOTKEYS, BENCH_CYCLES: how many; 20 and 100)
source "$(dirname "$0")/../../tests/e2e/lib64.sh"
hotkeys=${BENCH_HOTKEYS:-20}
cycles=${BENCH_CYCLES:-100}

rss_kb() { sed -n 's/^VmRSS:[^0-9]*\([0-9]*\).*/\1/p' "/proc/$1/status"; }

E2E_WINE=$WINE64 start_program target64 "$(winepath -w "$E2E_BIN64/tarvok-target.exe")" "$TARGET64"
probe wait-visible "$TARGET64" $((E2E_START_LIMIT * 1000)) || fail "the 64-bit target did not show"
start_tarvok
wait_until $E2E_START_LIMIT "the helper to start" helper_runs
echo "helper_rss_kb_at_start $(rss_kb "$(helper_pids)")"
echo "helper_handles_at_start $(probe handles tarvok64.exe)"
echo "tarvok_rss_kb_at_start $(rss_kb "$tarvok_pid")"

focus "$TARGET64"
expected=""
: >"$E2E_WORK/hotkeys.txt"
for i in $(seq "$hotkeys"); do
  type_text "$i*3"
  expected="$expected$i*3$(printf '%d.00' $((i * 3)))"
  timing=$(probe hotkey-timing "$TARGET64" "$expected" $((E2E_RESULT_LIMIT * 1000))) || fail "calculation $i: $timing"
  sed -n 's/.*field_ms=\([0-9.]*\).*/\1/p' <<<"$timing" >>"$E2E_WORK/hotkeys.txt"
  probe wait-keys-up $((E2E_RESULT_LIMIT * 1000)) || fail "the paste left keys down"
  press Return
  expected="$expected\\n"
  probe wait-text "$TARGET64" "$expected" $((E2E_RESULT_LIMIT * 1000)) >/dev/null || fail "Enter did not arrive"
done
sort -n "$E2E_WORK/hotkeys.txt" | awk '{ v[NR] = $1 } END {
  m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
  printf "hotkey_to_result_ms_median %.1f\nhotkey_to_result_ms_max %.1f\nhotkey_samples %d\n", m, v[NR], NR }'

tarvok_before=$(rss_kb "$tarvok_pid")
tarvok_handles_before=$(probe handles TMainForm)
for cycle in $(seq "$cycles"); do
  probe post TMainForm 0x0111 102 0 >/dev/null || fail "cycle $cycle: Disable not posted"
  wait_until 10 "cycle $cycle: the helper to end" no_helper
  probe post TMainForm 0x0111 102 0 >/dev/null || fail "cycle $cycle: Enable not posted"
  wait_until 10 "cycle $cycle: the helper to start" helper_runs
done
[ "$(helper_pids | wc -l)" = 1 ] || fail "after $cycles cycles: helpers $(helper_pids | paste -sd' ')"
echo "cycles $cycles"
echo "helpers_after_cycles $(helper_pids | wc -l)"
echo "helper_rss_kb_after_cycles $(rss_kb "$(helper_pids)")"
echo "helper_handles_after_cycles $(probe handles tarvok64.exe)"
echo "tarvok_handles_before_cycles $tarvok_handles_before"
echo "tarvok_handles_after_cycles $(probe handles TMainForm)"
echo "tarvok_rss_kb_before_cycles $tarvok_before"
echo "tarvok_rss_kb_after_cycles $(rss_kb "$tarvok_pid")"
