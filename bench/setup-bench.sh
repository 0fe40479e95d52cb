#!/usr/bin/env bash
# The setup program's size and how long a silent install, an upgrade over a
# running Tarvok and a silent uninstall take under Wine, in a private prefix
# and X display. Prints a Markdown table for BENCHMARKS.md.
#   bench/setup-bench.sh [build-dir (default build/windows)] [rounds (default 5)]
# The uninstaller returns at once under Wine (it continues from a copy of
# itself), so its time is taken until the installation is gone.
source "$(dirname "$0")/../scripts/fixed-layout.sh"
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
rounds=${2:-5}
stage=$build/setup-bench
source "$root/scripts/setup-stage.sh"
setup_stage "$build" "$stage"

folder_win='C:\Bench\Tarvok'
folder=$(winepath -u "$folder_win")
now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
probe() { wine "$build/bin/tarvok-probe.exe" "$@" </dev/null 2>/dev/null; }
hooks_on() { probe mapping-dump | grep -q '^KeyboardHook=0x[1-9a-f]'; }
wait_for() { local n; for n in $(seq 600); do "$@" && return 0; sleep 0.05; done; return 1; }
gone() { [ ! -e "$folder" ]; }

installs=() upgrades=() uninstalls=()
for _ in $(seq "$rounds"); do
  start=$(now_ms)
  wine "$setup" /S "/D=$folder_win" </dev/null >/dev/null 2>&1
  installs+=($(($(now_ms) - start)))

  wine "$folder_win\\tarvok.exe" </dev/null >/dev/null 2>&1 &
  wait_for hooks_on
  start=$(now_ms)
  wine "$setup" /S "/D=$folder_win" </dev/null >/dev/null 2>&1
  upgrades+=($(($(now_ms) - start)))
  wait_for hooks_on

  start=$(now_ms)
  wine "$folder_win\\uninstall.exe" /S /RemoveSettings </dev/null >/dev/null 2>&1
  wait_for gone
  uninstalls+=($(($(now_ms) - start)))
done

kib() { echo $(( ($(stat -c %s "$1") + 1023) / 1024 )); }
shipped_kib=$(du -k --apparent-size -s "$stage/dist/x86" | cut -f1)
cat <<EOF
| What | Figure |
|---|---|
| \`Tarvok-$version-setup.exe\` | $(kib "$setup") KiB |
| \`Tarvok-$version-x86.zip\` (for comparison) | $(kib "$stage/dist/Tarvok-$version-x86.zip") KiB |
| installed files (without the uninstaller) | $shipped_kib KiB |
| silent install into an empty folder, median of $rounds | $(printf '%s\n' "${installs[@]}" | median) ms |
| silent upgrade over a running Tarvok (ended, replaced, started again), median of $rounds | $(printf '%s\n' "${upgrades[@]}" | median) ms |
| silent uninstall with /RemoveSettings, until the folder is gone, median of $rounds | $(printf '%s\n' "${uninstalls[@]}" | median) ms |
EOF
