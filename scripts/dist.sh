#!/usr/bin/env bash
# Lays out dist/ as Tarvok ships: tarvok.exe, calc.dll, language/*.ini, the
# help file and readme.txt, plus a zip of the same files named with the
# version. Takes the Windows build folder (default build/windows), which
# must have been built; fails naming whatever is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=${1:-build/windows}/bin
dist=dist
version=$(sed -n 's/^project(Tarvok VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }

missing=()
for file in tarvok.exe calc.dll "Tarvok HTML help.chm"; do
  [ -f "$bin/$file" ] || missing+=("$file")
done
compgen -G "$bin/language/*.ini" >/dev/null || missing+=("language/*.ini")
if [ ${#missing[@]} -gt 0 ]; then
  echo "dist: not built in $bin: ${missing[*]}" >&2
  exit 1
fi

rm -rf "$dist"
mkdir -p "$dist/language"
cp "$bin/tarvok.exe" "$bin/calc.dll" "$bin/Tarvok HTML help.chm" "$dist/"
cp "$bin"/language/*.ini "$dist/language/"
sed 's/\r*$/\r/' dist-readme.txt >"$dist/readme.txt"   # Windows line ends

# In the zip the files sit in a folder "Tarvok", ready to unpack anywhere.
zip_name="Tarvok-$version.zip"
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp -r "$dist" "$staging/Tarvok"
(cd "$staging" && zip -q -r -X "$root/$dist/$zip_name" Tarvok)
echo "dist: $(cd "$dist" && ls -1 | tr '\n' ' ')"
