# Sourced by scripts/wine-env.sh and the end-to-end scenarios (which keep
# their own environment): how a new Wine prefix is made.
#
# tarvok_make_prefix <loader>: makes $WINEPREFIX with that Wine loader. The
# server writes the registry to disk only at its end or up to half a minute
# later, and until then system.reg, by which every script and scenario tells
# a made prefix, is missing: each scenario of that time would run Wine's
# start-up once more in the live prefix (another services.exe and its
# drivers beside the first). So wait until the server has ended after the
# start-up (some seconds); the limit is for a server kept alive with -p by
# someone else.
tarvok_make_prefix() {
  "$@" wineboot -i >/dev/null 2>&1 </dev/null || true
  timeout 60 wineserver -w >/dev/null 2>&1 </dev/null || true
}
