# Shared steps of the 64-bit half's scenario and benchmark, sourced instead
# of lib.sh: a 64-bit prefix, the 64-bit probe, the staged folder with
# tarvok64.exe and calc64.dll, and the helper's processes.
#   <script> <32-bit bin dir> <work dir> <64-bit bin dir>
E2E_WINEARCH=win64
E2E_BIN64=$(cd "${3:?64-bit bin dir}" 2>/dev/null && pwd)
E2E_PROBE=$E2E_BIN64/tarvok-probe.exe
# The suite's WINEPREFIX is its 32-bit one.
if [ -n "${TARVOK_PREFIX64:-}" ]; then export WINEPREFIX=$TARVOK_PREFIX64; else unset WINEPREFIX; fi
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
for required in tarvok64.exe calc64.dll tarvok-probe.exe tarvok-target.exe; do
  [ -f "$E2E_BIN64/$required" ] || skip "the 64-bit $required is not built yet"
done
WINE64=/usr/lib/wine/wine64
TARGET64="Tarvok Test Target 64"
e2e_begin
cp "$E2E_BIN64/tarvok64.exe" "$E2E_BIN64/calc64.dll" "$E2E_APP/"

# The helper's processes, by the full path it was started with. The search
# pattern is written so that it does not match the searching grep itself. A
# helper that has ended but whose parent (a killed tarvok.exe) cannot reap
# it stays a zombie, which counts as gone.
helper_pids() {
  local file pid state command_line wanted="${E2E_APP_WIN,,}tarvok64.exe"
  for file in $(grep -lai 'tarvok6[4]\.exe' /proc/[0-9]*/cmdline 2>/dev/null); do
    pid=$(cut -d/ -f3 <<<"$file")
    state=$(sed 's/.*) \(.\).*/\1/' "/proc/$pid/stat" 2>/dev/null)
    command_line=$(tr '\0' ' ' <"$file" 2>/dev/null)
    [[ "$state" != Z && "${command_line,,}" == *"$wanted"* ]] && echo "$pid"
  done
}
helper_runs() { [ -n "$(helper_pids)" ]; }
no_helper() { [ -z "$(helper_pids)" ]; }

