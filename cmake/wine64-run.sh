#!/usr/bin/env bash
# Runs one 64-bit Windows executable under Wine for CTest, in the 64-bit
# prefix of the build tree (scripts/test.sh creates it). The 32-bit prefix
# the other scripts export in WINEPREFIX cannot run 64-bit programs, so the
# prefix comes from TARVOK_PREFIX64 only. The 64-bit loader is called by
# name: Debian's `wine` starts the 32-bit one whenever it is installed, and
# that one cannot start on a machine that runs no 32-bit program.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${TARVOK_PREFIX64:-$here/build/wineprefix64}
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
exec /usr/lib/wine/wine64 "$@"
