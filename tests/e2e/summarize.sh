#!/usr/bin/env bash
# Summarises the measurements the scenarios append to <work dir>/measurements.txt:
# hot key -> result in the field and -> clipboard back, in the test window and
# in Wine's notepad (count, min, median, 90th percentile, max, in ms), and the
# working set of tarvok.exe.
#   bash tests/e2e/summarize.sh build/windows/e2e/measurements.txt
set -euo pipefail
file=${1:?measurements file}

distribution() {  # distribution <label> <measurement> <key>
  sed -n "s/.* $2 .*$3=\([0-9.]*\).*/\1/p" "$file" | sort -n | awk -v label="$1" '
    { v[NR] = $1 }
    END {
      if (NR == 0) { printf "%-26s no samples\n", label; exit }
      p90 = v[int(NR * 0.9 + 0.999)]
      med = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%-26s n=%d  min %.0f  median %.0f  p90 %.0f  max %.0f ms\n", label, NR, v[1], med, p90, v[NR]
    }'
}

working_set() {  # working_set <label> <key>
  sed -n "s/.*$2 bytes=\([0-9]*\) rss_kb=\([0-9]*\).*/\1 \2/p" "$file" | awk -v label="$1" '
    { ws += $1; rss += $2; n++; if ($1 > max) max = $1 }
    END {
      if (n == 0) { printf "%-26s no samples\n", label; exit }
      printf "%-26s n=%d  mean %.1f MB (max %.1f MB), VmRSS mean %.1f MB\n", label, n, ws / n / 1048576, max / 1048576, rss / n / 1024
    }'
}

distribution "hot key -> field" hotkey field_ms
distribution "hot key -> clipboard back" hotkey clipboard_ms
distribution "notepad: hot key -> field" hotkey_notepad field_ms
distribution "notepad: -> clipboard back" hotkey_notepad clipboard_ms
working_set "working set after start" working_set_after_start
working_set "working set after options" working_set_after_options
