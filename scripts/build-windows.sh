#!/usr/bin/env bash
# Cross-compiles the program (boltgen.exe), its window (boltgen-window.exe) and the core's
# tests (boltgen_tests.exe) for 64-bit Windows into build-windows/, with
# Debian's mingw-w64 compiler. Both are linked statically, dxflib and lib3mf
# included: they run on a bare Windows with nothing beside them but the size
# table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
out="$root/build-windows"
# dxflib, libzip and lib3mf, cross-built once into a cache folder.
libraries=$("$root/scripts/build-windows-deps.sh" | tail -n 1)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "${launcher[@]}" \
  -DBOLTGEN_GUI=OFF -DBOLTGEN_BENCHMARKS=OFF -DBOLTGEN_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DBOLTGEN_WINDOWS_LIBRARIES="$libraries" >/dev/null
cmake --build "$out" --target boltgen boltgen-window boltgen_tests

# Only DLLs that every Windows has may be imported; a runtime DLL of the
# compiler (libstdc++, libgcc, winpthread) would have to ship beside the program.
for exe in boltgen.exe boltgen-window.exe boltgen_tests.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$out/$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  foreign=$(grep -vxE 'kernel32\.dll|msvcrt\.dll|user32\.dll|shell32\.dll|ole32\.dll|advapi32\.dll|gdi32\.dll|comctl32\.dll|comdlg32\.dll' \
    <<<"$dlls" || true)
  if [[ -n $foreign ]]; then
    echo "$exe needs DLLs that Windows does not have: $foreign" >&2
    exit 1
  fi
  echo "$exe imports only system DLLs:" $dlls
done
