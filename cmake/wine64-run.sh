#!/usr/bin/env bash
# Runs one 64-bit Windows executable under Wine for CTest, in the 64-bit
# prefix of the build tree (scripts/test.sh creates it). The 32-bit prefix
# the other scripts export in WINEPREFIX cannot run 64-bit programs, so the
# prefix comes from TARVOK_PREFIX64 only.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${TARVOK_PREFIX64:-$here/build/wineprefix64}
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
exec wine "$@"
