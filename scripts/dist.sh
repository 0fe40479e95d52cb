#!/usr/bin/env bash
# Lays out dist/ as Tarvok ships: tarvok.exe, calc.dll, the 64-bit half
# (tarvok64.exe and calc64.dll, from the 64-bit build beside the 32-bit one:
# build/windows64 for build/windows, or TARVOK_BUILD64), language/*.ini, the
# help file and readme.txt, then from exactly those files the zip
# Tarvok-<version>.zip and the setup program Tarvok-<version>-setup.exe
# (NSIS, installer/tarvok.nsi). The version is the one the build was
# configured with (CMake's project version, as in the About box).
#   scripts/dist.sh [build folder (default build/windows)] [output folder (default dist)]
# The build must have been built; fails naming whatever is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(cd "${1:-build/windows}" && pwd)
bin=$build/bin
bin64=${TARVOK_BUILD64:-${build}64}/bin
dist=${2:-dist}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$version" ] || { echo "dist: no configured build in $build (no project version)" >&2; exit 1; }

missing=()
for file in tarvok.exe calc.dll "Tarvok HTML help.chm"; do
  [ -f "$bin/$file" ] || missing+=("$file")
done
for file in tarvok64.exe calc64.dll; do
  [ -f "$bin64/$file" ] || missing+=("$file")
done
compgen -G "$bin/language/*.ini" >/dev/null || missing+=("language/*.ini")
command -v makensis >/dev/null || missing+=("makensis (scripts/deps.sh installs it)")
if [ ${#missing[@]} -gt 0 ]; then
  echo "dist: not built in $bin or $bin64: ${missing[*]}" >&2
  exit 1
fi

rm -rf "$dist"
mkdir -p "$dist/language"
dist=$(cd "$dist" && pwd)
cp "$bin/tarvok.exe" "$bin/calc.dll" "$bin/Tarvok HTML help.chm" "$dist/"
cp "$bin64/tarvok64.exe" "$bin64/calc64.dll" "$dist/"
cp "$bin"/language/*.ini "$dist/language/"
# Windows line ends, and the version of this build.
sed -e 's/\r*$/\r/' -e "s/@VERSION@/$version/g" dist-readme.txt >"$dist/readme.txt"

# What ships, before the packages join it in the folder: the zip and the
# setup program are made from this one list.
mapfile -t shipped < <(cd "$dist" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
mapfile -t folders < <(cd "$dist" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r)

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

# In the zip the files sit in a folder "Tarvok", ready to unpack anywhere.
zip_name="Tarvok-$version.zip"
mkdir "$staging/Tarvok"
(cd "$dist" && cp --parents "${shipped[@]}" "$staging/Tarvok/")
(cd "$staging" && zip -q -r -X "$dist/$zip_name" Tarvok)

# The setup program's file list: NSIS macros that apply an action to each
# file (Windows path, path in this folder) and to each folder, deepest first.
list=$staging/files.nsh
{
  echo '!macro TARVOK_FILES ACTION'
  for file in "${shipped[@]}"; do
    case $file in *'"'* | *'$'*) echo "dist: a file name NSIS cannot quote: $file" >&2; exit 1 ;; esac
    echo "  !insertmacro \${ACTION} \"${file//\//\\}\" \"$file\""
  done
  echo '!macroend'
  echo '!macro TARVOK_FOLDERS ACTION'
  for folder in "${folders[@]}"; do echo "  !insertmacro \${ACTION} \"${folder//\//\\}\""; done
  echo '!macroend'
} >"$list"

quad=$version
while [ "$(tr -cd . <<<"$quad" | wc -c)" -lt 3 ]; do quad=$quad.0; done
setup_name="Tarvok-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DVERSION_QUAD=$quad" "-DSOURCE=$dist" "-DFILES=$list" \
  "-DICON=$root/resources/icons/MAINICON.ico" "-DOUTFILE=$dist/$setup_name" \
  installer/tarvok.nsi >"$staging/makensis.log" 2>&1 ||
  { cat "$staging/makensis.log" >&2; echo "dist: makensis failed" >&2; exit 1; }

echo "dist: $(cd "$dist" && ls -1 | tr '\n' ' ')"
