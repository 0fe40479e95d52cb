#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit programs. When it does not, it
# prints why and exits 1: some kernels execute no i386 file at all, and then
# 32-bit Wine, and with it every 32-bit Windows program, cannot start. The
# 32-bit Wine loader's own --version tells.
#
# TARVOK_RUNS_32BIT=yes|no answers without asking: scripts/test.sh asks once
# and passes the answer on, and a developer can set "no" to see a machine
# without 32-bit support on one that has it.
loader=/usr/lib/wine/wine
case "${TARVOK_RUNS_32BIT:-}" in
  yes) exit 0 ;;
  no) echo "this machine runs no 32-bit program (TARVOK_RUNS_32BIT=no)"; exit 1 ;;
esac
if ! error=$("$loader" --version 2>&1 >/dev/null); then
  echo "this machine runs no 32-bit program: $loader --version fails (${error##*: })"
  exit 1
fi
