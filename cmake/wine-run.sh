#!/usr/bin/env bash
# Runs one Windows executable under Wine for CTest. The prefix is private to
# the build tree (created by scripts/test.sh); DISPLAY comes from the caller.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
exec wine "$@"
