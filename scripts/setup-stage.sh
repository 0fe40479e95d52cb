# Sourced by the scripts that run the setup program under Wine outside the
# test command (docs/setup-screenshots.sh, bench/setup-bench.sh):
#   setup_stage <build folder> <stage folder>
# builds dist/ with the setup program into <stage>/dist, sets $version and
# $setup (its path), and starts a new Wine prefix (<stage>/wineprefix) and a
# private X display, both ended when the calling script exits.
setup_stage() {
  local build=$1 stage=$2 root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  export TARVOK_PREFIX=$stage/wineprefix
  rm -rf "$stage"
  mkdir -p "$stage"
  "$root/scripts/dist.sh" "$build" "$stage/dist" >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  setup=$stage/dist/Tarvok-$version-setup.exe
  source "$root/scripts/wine-env.sh"
  trap tarvok_wine_down EXIT
  tarvok_wine_up >/dev/null
}
