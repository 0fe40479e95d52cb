#!/usr/bin/env bash
# Both packages as scripts/dist.sh lays them out, checked without running
# anything (so on every machine): exactly the files each package ships, every
# program and library of the package's kind (dist.sh refuses others),
# system DLLs only among the imports, and the sizes within their limits. The
# hook libraries' export tables are checked in each build.
#   bash packages.sh <work dir>
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:?work dir}
fail() { echo "FAILED: $*"; exit 1; }

rm -rf "$work" && mkdir -p "$work"
"$root/scripts/dist.sh" "$work/dist" >"$work/dist.out" 2>&1 || fail "dist.sh: $(tail -n 5 "$work/dist.out")"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${TARVOK_BUILD64:-$root/build/windows64}/CMakeCache.txt")

common='Tarvok HTML help.chm|language/deu.ini|language/eng.ini|language/rus.ini|readme.txt|tarvok.exe'
declare -A expected=(
  [x64]="$common|calc.dll|calc64.dll|tarvok32.exe"
  [x86]="$common|calc.dll|calc64.dll|tarvok64.exe"
)
declare -A max_bytes=([tarvok.exe]=1048576 [calc.dll]=204800 [calc64.dll]=204800 [tarvok32.exe]=307200
                      [tarvok64.exe]=307200)
system_dlls='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|MSVCRT|SHELL32|USER32)\.DLL$'

for package in x64 x86; do
  folder=$work/dist/$package
  for download in "Tarvok-$version-$package.zip" "Tarvok-$version-$package-setup.exe"; do
    [ -s "$work/dist/$download" ] || fail "no $download"
  done
  shipped=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | paste -sd'|')
  wanted=$(tr '|' '\n' <<<"${expected[$package]}" | LC_ALL=C sort | paste -sd'|')
  [ "$shipped" = "$wanted" ] || fail "$package ships '$shipped', expected '$wanted'"
  for file in "$folder"/*.exe "$folder"/*.dll; do
    name=$(basename "$file")
    size=$(stat -c %s "$file")
    [ "$size" -lt "${max_bytes[$name]}" ] || fail "$package/$name has $size bytes, the limit is ${max_bytes[$name]}"
    while read -r dll; do
      [[ "${dll^^}" =~ $system_dlls ]] || fail "$package/$name imports $dll"
    done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/.*DLL Name: //p')
    echo "$package/$name: $size bytes"
  done
done
# The setup of the x64 package is itself a 64-bit program.
[[ "$(x86_64-w64-mingw32-objdump -f "$work/dist/Tarvok-$version-x64-setup.exe")" == *pei-x86-64* ]] ||
  fail "the x64 setup is not a 64-bit program"
echo "passed"
