#!/usr/bin/env bash
# Lays out the two packages Tarvok ships, each in a folder of its own, and
# from exactly each folder's files its zip and its setup program (NSIS,
# installer/tarvok.nsi):
#   <out>/x64/  tarvok.exe and calc64.dll from the 64-bit build, with the
#               32-bit helper tarvok32.exe and calc.dll: for 64-bit Windows
#   <out>/x86/  tarvok.exe and calc.dll from the 32-bit build, with the
#               64-bit helper tarvok64.exe and calc64.dll: for 32-bit Windows
#   <out>/Tarvok-<version>-x64.zip, Tarvok-<version>-x64-setup.exe (a 64-bit
#   setup), Tarvok-<version>-x86.zip, Tarvok-<version>-x86-setup.exe
# Both folders also hold language/*.ini, the help file and readme.txt. The
# version is the one the builds were configured with (CMake's project
# version, as in the About box). Every program and library is checked to be
# of its package's kind before anything is packed.
#   scripts/dist.sh [output folder (default dist)]
#   TARVOK_BUILD32, TARVOK_BUILD64: the builds (default build/windows, build/windows64)
# Both builds must have been built; fails naming whatever is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build32=$(cd "${TARVOK_BUILD32:-build/windows}" && pwd)
build64=$(cd "${TARVOK_BUILD64:-build/windows64}" && pwd)
out=${1:-dist}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build64/CMakeCache.txt" 2>/dev/null || true)
[ -n "$version" ] || { echo "dist: no configured build in $build64 (no project version)" >&2; exit 1; }

# package_files <name>: the path of each file of the package, its own
# bitness's build first, the helper's after.
package_files() {
  local own other
  case $1 in
    x64) own=$build64/bin; other=$build32/bin
         printf '%s\n' "$own/tarvok.exe" "$own/calc64.dll" "$other/tarvok32.exe" "$other/calc.dll" ;;
    x86) own=$build32/bin; other=$build64/bin
         printf '%s\n' "$own/tarvok.exe" "$own/calc.dll" "$other/tarvok64.exe" "$other/calc64.dll" ;;
  esac
  echo "$own/Tarvok HTML help.chm"
}

# The PE kind objdump gives each program and library of a package.
expected_kind() {  # expected_kind <package> <file name>
  case "$1 $2" in
    "x64 tarvok.exe" | "x64 calc64.dll" | "x86 tarvok64.exe" | "x86 calc64.dll") echo pei-x86-64 ;;
    *) echo pei-i386 ;;
  esac
}

missing=()
for name in x64 x86; do
  while read -r -d '' file; do
    [ -f "$file" ] || missing+=("$file")
  done < <(package_files $name | tr '\n' '\0')
done
compgen -G "$build32/bin/language/*.ini" >/dev/null || missing+=("$build32/bin/language/*.ini")
command -v makensis >/dev/null || missing+=("makensis (scripts/deps.sh installs it)")
if [ ${#missing[@]} -gt 0 ]; then
  echo "dist: not built: ${missing[*]}" >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

quad=$version
while [ "$(tr -cd . <<<"$quad" | wc -c)" -lt 3 ]; do quad=$quad.0; done

make_package() {
  local name=$1 folder=$out/$1 file kind
  mkdir -p "$folder/language"
  while read -r -d '' file; do cp "$file" "$folder/"; done < <(package_files "$name" | tr '\n' '\0')
  cp "$build32"/bin/language/*.ini "$folder/language/"
  # Windows line ends, and the version of this build.
  sed -e 's/\r*$/\r/' -e "s/@VERSION@/$version/g" dist-readme.txt >"$folder/readme.txt"
  for file in "$folder"/*.exe "$folder"/*.dll; do
    kind=$(objdump -f "$file" | sed -n 's/.*file format //p')
    [ "$kind" = "$(expected_kind "$name" "$(basename "$file")")" ] ||
      { echo "dist: $name/$(basename "$file") is $kind" >&2; exit 1; }
  done

  local shipped folders
  mapfile -t shipped < <(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  mapfile -t folders < <(cd "$folder" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r)

  # In the zip the files sit in a folder "Tarvok", ready to unpack anywhere.
  mkdir -p "$staging/$name/Tarvok"
  (cd "$folder" && cp --parents "${shipped[@]}" "$staging/$name/Tarvok/")
  (cd "$staging/$name" && zip -q -r -X "$out/Tarvok-$version-$name.zip" Tarvok)

  # The setup program's file list: NSIS macros that apply an action to each
  # file (Windows path, path in the folder) and to each folder, deepest first.
  local list=$staging/$name-files.nsh
  {
    echo '!macro TARVOK_FILES ACTION'
    for file in "${shipped[@]}"; do
      case $file in *'"'* | *'$'*) echo "dist: a file name NSIS cannot quote: $file" >&2; exit 1 ;; esac
      echo "  !insertmacro \${ACTION} \"${file//\//\\}\" \"$file\""
    done
    echo '!macroend'
    echo '!macro TARVOK_FOLDERS ACTION'
    for file in "${folders[@]}"; do echo "  !insertmacro \${ACTION} \"${file//\//\\}\""; done
    echo '!macroend'
  } >"$list"

  makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSION=$version" "-DVERSION_QUAD=$quad" "-DSOURCE=$folder" "-DFILES=$list" "-DPACKAGE=$name" \
    "-DICON=$root/resources/icons/MAINICON.ico" "-DOUTFILE=$out/Tarvok-$version-$name-setup.exe" \
    installer/tarvok.nsi >"$staging/$name-makensis.log" 2>&1 ||
    { cat "$staging/$name-makensis.log" >&2; echo "dist: makensis failed for $name" >&2; exit 1; }
}

objdump() { x86_64-w64-mingw32-objdump "$@"; }
make_package x64
make_package x86
echo "dist: $(cd "$out" && ls -1 | tr '\n' ' ')"
