#!/usr/bin/env bash
# Cross-builds the libraries the Windows program writes DXF and 3MF files
# with (dxflib, libzip, lib3mf) from Debian's own source packages, as static
# libraries, with the project's mingw-w64 toolchain file; zlib is Debian's
# libz-mingw-w64-dev. The result goes into a cache folder named after the
# source versions and the compiler, which later builds reuse.
# Usage: scripts/build-windows-deps.sh   (prints the folder on its last line)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
cache=${BOLTGEN_WIN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/boltgen-win-deps}
packages=(dxflib libzip lib3mf)
suite=bookworm
mirror=${BOLTGEN_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# A sources list of our own with the deb-src line the machine's apt setup
# lacks; the machine's own lists and cache are not touched.
apt_dir="$cache/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
  >"$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
index_age=$(( $(date +%s) - $(stat -c %Y "$apt_dir/lists" 2>/dev/null || echo 0) ))
if ! ls "$apt_dir/lists/"*Sources* >/dev/null 2>&1 || (( index_age > 86400 )); then
  apt-get "${apt_options[@]}" update -qq
  touch "$apt_dir/lists"
fi

source_version() {
  apt-cache "${apt_options[@]}" showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}
key=""
for p in "${packages[@]}"; do
  version=$(source_version "$p")
  [[ -n $version ]] || { echo "no source package $p in $suite" >&2; exit 1; }
  key+="$p-$version-"
done
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
# The toolchain file and this script's steps, by content (not by path).
key+="gcc-$compiler-$(cat "$toolchain" "${BASH_SOURCE[0]}" | sha256sum | cut -c1-12)"
prefix="$cache/$key"
if [[ -f $prefix/done ]]; then
  echo "$prefix"
  exit 0
fi

started=$SECONDS
rm -rf "$prefix"
work="$prefix.work"
rm -rf "$work"
mkdir -p "$work/src" "$prefix/include" "$prefix/lib"
cd "$work/src"
for p in "${packages[@]}"; do
  # lib3mf's Debian packaging tarball is missing on the mirror: apt then
  # fails after fetching the .dsc and the .orig tarball, which is all this
  # build uses.
  apt-get "${apt_options[@]}" source --download-only -qq "$p" >"$work/$p-fetch.log" 2>&1 || true
done

# Each tarball named in a .dsc must be there with the .dsc's SHA-256; a
# package whose Debian tarball is there is unpacked with its patches.
for dsc in *.dsc; do
  package=${dsc%%_*}
  while read -r sum _ file; do
    [[ -f $file ]] || { [[ $file == *.debian.tar.* ]] && continue; echo "$file was not fetched" >&2; exit 1; }
    echo "$sum  $file" | sha256sum -c --quiet - ||
      { echo "$file does not match the checksum in $dsc" >&2; exit 1; }
  done < <(sed -n '/^Checksums-Sha256:/,/^[^ ]/{/^ /p}' "$dsc")
  if ls "${package}"_*.debian.tar.* >/dev/null 2>&1; then
    dpkg-source --no-check -x "$dsc" "$package" >/dev/null
  else
    mkdir "$package"
    tar -xf "${package}"_*.orig.tar.* -C "$package" --strip-components=1
  fi
done

cross=x86_64-w64-mingw32
flags="-O2 -ffp-contract=off"
cmake_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF)

# dxflib: two sources, built as Debian's Makefile.am builds them.
mkdir -p "$prefix/include/dxflib" "$work/dxflib-build"
for s in dl_dxf dl_writer_ascii; do
  $cross-g++-posix $flags -std=gnu++17 -c "dxflib/src/$s.cpp" -o "$work/dxflib-build/$s.o"
done
$cross-ar rcs "$prefix/lib/libdxflib.a" "$work/dxflib-build/"*.o
cp dxflib/src/*.h "$prefix/include/dxflib/"

# libzip with deflate only: lib3mf needs nothing else.
cmake -S libzip -B "$work/libzip-build" "${cmake_common[@]}" -DCMAKE_C_FLAGS="$flags" \
  -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF \
  -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >/dev/null
cmake --build "$work/libzip-build" >/dev/null
cmake --install "$work/libzip-build" >/dev/null

# lib3mf's bundled zlib and libzip headers are swapped for the built ones,
# as Debian's own build does, and its C interface (built into the DLL
# upstream) joins the static library.
printf '#include <zip.h>\n' >lib3mf/Include/Libraries/libzip/zip.h
printf '#include <zlib.h>\n' >lib3mf/Include/Libraries/zlib/zlib.h
cat >>lib3mf/CMakeLists.txt <<'EOF'
target_sources(lib3MF_s PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Source/Model/COM/NMR_DLLInterfaces.cpp)
EOF
cmake -S lib3mf -B "$work/lib3mf-build" "${cmake_common[@]}" \
  -DCMAKE_CXX_FLAGS="$flags -I$prefix/include -DZIP_STATIC" \
  -DUSE_INCLUDED_ZLIB=OFF -DUSE_INCLUDED_LIBZIP=OFF -DLIB3MF_TESTS=OFF >/dev/null
cmake --build "$work/lib3mf-build" --target lib3MF_s >/dev/null
cp "$work/lib3mf-build/lib3MF_s.a" "$prefix/lib/lib3MF_s.a"
mkdir -p "$prefix/include/lib3mf"
cp -r lib3mf/Include/. "$prefix/include/lib3mf/"
cp -r "$work/lib3mf-build/Include/." "$prefix/include/lib3mf/"

rm -rf "$work"
touch "$prefix/done"
echo "-- Windows libraries built in $((SECONDS - started))s" >&2
echo "$prefix"
