# Sourced by the scripts that run the setup program under Wine outside the
# test command (docs/setup-screenshots.sh, bench/setup-bench.sh):
#   setup_stage <32-bit build folder> <stage folder>
# builds both packages with their setup programs into <stage>/dist (the
# 64-bit build beside the 32-bit one, or TARVOK_BUILD64), sets $version and
# $setup (the x86 package's setup, which runs in the 32-bit prefix), and
# starts a new Wine prefix (<stage>/wineprefix) and a
# private X display, both ended when the calling script exits.
setup_stage() {
  local build=$1 stage=$2 root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  export TARVOK_PREFIX=$stage/wineprefix
  rm -rf "$stage"
  mkdir -p "$stage"
  TARVOK_BUILD32=$build TARVOK_BUILD64=${TARVOK_BUILD64:-${build}64} "$root/scripts/dist.sh" "$stage/dist" >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  setup=$stage/dist/Tarvok-$version-x86-setup.exe
  source "$root/scripts/wine-env.sh"
  trap tarvok_wine_down EXIT
  tarvok_wine_up >/dev/null
}
