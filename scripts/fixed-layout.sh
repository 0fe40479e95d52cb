# Sourced first thing by every script that starts Wine, before it changes
# folder or reads its arguments: it runs the script again, once, with the
# kernel's address randomization off for it and everything it starts.
#
# Debian's Wine has no preloader. Its loaders sit at 0x7d000000, and the
# kernel puts their brk heap anywhere in the gigabyte above them, now and
# then over 0x7ff00000-0x7fff0000, where every Windows process needs its
# shared user data. Such a program ends before its first instruction, with
# status 1 and only "failed to map the shared user data: c0000018" among
# Wine's errors: about one start in 5,000 here, where one run of the
# end-to-end suite starts some 650 programs. Without randomization the heap
# follows the loader.
if [ "${TARVOK_FIXED_LAYOUT:-}" != 1 ]; then
  export TARVOK_FIXED_LAYOUT=1
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    exec setarch "$(uname -m)" -R bash "$0" "$@"
  fi
  echo "note: address randomization could not be turned off here; now and then a Wine program may fail to start" >&2
fi
