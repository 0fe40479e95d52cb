#!/usr/bin/env bash
# Runs one 32-bit Windows executable under Wine for CTest. The prefix is
# private to the build tree (created by scripts/test.sh); DISPLAY comes from
# the caller. On a machine that runs no 32-bit program the test is reported
# as skipped (exit 77, which every 32-bit test takes as "skipped").
here=$(cd "$(dirname "$0")/.." && pwd)
if ! reason=$("$here/cmake/machine-runs-32-bit.sh"); then
  echo "SKIPPED: $reason"
  exit 77
fi
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
exec wine "$@"
