#!/usr/bin/env bash
# Packs the Windows build for its users: boltgen-setup.exe (NSIS, a per-user
# installation) and boltgen-windows.zip (the same files, for those who do not
# install), both into the Windows build folder. boltgen-window.exe goes in
# when the build has it; the manual comes from the Linux build, which typesets it.
# Usage: scripts/package-windows.sh WINDOWS_BUILD LINUX_BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
[[ -n $version ]] || { echo "no project version in $out/CMakeCache.txt" >&2; exit 1; }

stage="$out/package"
rm -rf "$stage"
mkdir -p "$stage/boltgen"
files=(boltgen.exe)
[[ -f $out/boltgen-window.exe ]] && files+=(boltgen-window.exe)
# Users get the programs without their debugging information.
for f in "${files[@]}"; do x86_64-w64-mingw32-strip -o "$stage/boltgen/$f" "$out/$f"; done
cp "$root/data/boltgen.ini" "$linux/boltgen.pdf" "$stage/boltgen/"

# The icon of the Start-menu entry and of "Apps": the one the build drew for
# the programs.
cp "$out/boltgen.ico" "$stage/boltgen/"

defines=(-DVERSION="$version" -DFILES="$stage/boltgen" -DOUTFILE="$out/boltgen-setup.exe"
  -DSIZE_KB="$(du -sk "$stage/boltgen" | cut -f1)")
[[ -f $out/boltgen-window.exe ]] && defines+=(-DWINDOW)
makensis -V2 -NOCD "${defines[@]}" "$root/data/windows/boltgen-setup.nsi"

rm -f "$out/boltgen-windows.zip"
(cd "$stage" && TZ=UTC zip -qrX "$out/boltgen-windows.zip" boltgen)
echo "-- boltgen-setup.exe $(stat -c %s "$out/boltgen-setup.exe") bytes," \
  "boltgen-windows.zip $(stat -c %s "$out/boltgen-windows.zip") bytes: ${files[*]} boltgen.ini boltgen.pdf"
