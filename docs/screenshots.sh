#!/usr/bin/env bash
# Takes the screenshots of the options window and the About box, in English
# and in Russian, from a Windows build run under Wine:
#   docs/screenshots.sh [build-dir]        (default: build/windows)
# Needs a private Wine prefix and X display (scripts/wine-env.sh; set
# TARVOK_PREFIX to use your own). Both languages run on a Western system code
# page (Windows-1252): the Russian file names its own code page, so its
# letters show on any Windows.
source "$(dirname "$0")/../scripts/fixed-layout.sh"
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
bin=$build/bin
stage=$build/screenshots
source "$root/scripts/wine-env.sh"
trap tarvok_wine_down EXIT
tarvok_wine_up

rm -rf "$stage"; mkdir -p "$stage/language"
cp "$bin/tarvok.exe" "$bin/calc.dll" "$stage/"
cp "$bin"/language/*.ini "$stage/language/"
# No window manager runs on the private display: let Wine draw the title
# bars itself, so that the pictures show the (translated) captions.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
probe() { wine "$bin/tarvok-probe.exe" "$@"; }
key='HKCU\Software\Quorvane\Tarvok\2.0'

# Cuts the window's screen rectangle out of the whole screen.
shoot() {  # window output
  local left top right bottom
  read -r left top right bottom < <(probe window-rect "$1" | tr -d '\r')
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$2"
  echo "wrote $2"
}

run_language() {  # ini-file suffix
  local file=$1 suffix=$2
  wine reg add "$key" /v Language /t REG_SZ /d "$file" /f >/dev/null
  wine reg add "$key" /v ferstrun /t REG_DWORD /d 1 /f >/dev/null
  LC_ALL=C.UTF-8 wine "$stage/tarvok.exe" &
  local pid=$!
  probe wait-window TMainForm 20000 >/dev/null
  probe post TMainForm 0x111 101 0 >/dev/null   # Options...
  probe wait-visible TMainForm 10000 >/dev/null
  sleep 1
  shoot TMainForm "$root/docs/options-$suffix.png"
  probe post TMainForm 0x111 2 0 >/dev/null     # Cancel
  probe wait-hidden TMainForm 10000 >/dev/null
  probe post TMainForm 0x111 105 0 >/dev/null   # About...
  probe wait-visible '#32770' 10000 >/dev/null
  sleep 1
  shoot '#32770' "$root/docs/about-$suffix.png"
  probe post '#32770' 0x111 1 0 >/dev/null      # OK
  probe wait-hidden '#32770' 10000 >/dev/null
  probe post TMainForm 0x111 106 0 >/dev/null   # Exit
  wait "$pid" || true
}

run_language eng.ini en
run_language rus.ini ru
