#!/usr/bin/env bash
# Takes the screenshots of the setup program's pages and of the uninstaller
# for the README, in English and in Russian, by going through an interactive
# installation under Wine:
#   docs/setup-screenshots.sh [build-dir]        (default: build/windows)
# Builds the setup program with scripts/dist.sh into <build-dir>/setup-shots,
# in a private Wine prefix (removed first) and X display. The Russian pages
# come from Wine started in a Russian locale, whose user interface language
# the setup follows.
source "$(dirname "$0")/../scripts/fixed-layout.sh"
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
stage=$build/setup-shots
source "$root/scripts/setup-stage.sh"
setup_stage "$build" "$stage"
# No window manager runs on the private display: Wine draws the title bars.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
probe() { wine "$build/bin/tarvok-probe.exe" "$@"; }

shoot() {  # window output
  local left top right bottom
  read -r left top right bottom < <(probe window-rect "$1" | tr -d '\r')
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$2"
  echo "wrote $2"
}
# The default button (Next, Install, Finish, Uninstall) of a wizard page.
next() { probe post "$1" 0x111 1 0 >/dev/null; sleep 2; }

run_setup() {  # suffix locale
  local suffix=$1 title
  LC_ALL=$2 wine "$setup" &
  local pid=$!
  probe wait-visible '#32770' 30000 >/dev/null
  sleep 2
  # The wizard is the only top-level dialog; its caption changes by page.
  title='#32770'
  shoot "$title" "$root/docs/setup-welcome-$suffix.png"
  next "$title"                                               # the folder page
  next "$title"                                               # the options
  shoot "$title" "$root/docs/setup-options-$suffix.png"
  next "$title"                                               # installs
  sleep 3
  shoot "$title" "$root/docs/setup-finish-$suffix.png"
  next "$title"                                               # Finish: starts Tarvok
  wait "$pid" || true
  probe wait-window TMainForm 20000 >/dev/null
  local uninstaller
  uninstaller="$(wine cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')\\Programs\\Tarvok\\uninstall.exe"
  LC_ALL=$2 wine "$uninstaller" &
  probe wait-visible '#32770' 30000 >/dev/null
  sleep 2
  shoot "$title" "$root/docs/setup-uninstall-$suffix.png"
  next "$title"                                               # uninstalls
  sleep 3
  next "$title"                                               # Close
  probe wait-gone '#32770' 20000 >/dev/null || true
}

run_setup en C.UTF-8
run_setup ru ru_RU.UTF-8
