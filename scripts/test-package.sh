#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as a user's system
# would meet it: its control data and contents, the metainfo and the desktop
# entry, the manual page, the bash completion, the installed program's main
# job from an empty folder, and lintian. The package is unpacked into a folder
# of its own, not installed into this machine.
# Usage: scripts/test-package.sh BUILD_DIR
# Ends with "package: N passed" when everything passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
passed=0
fail() { echo "package: $*" >&2; exit 1; }
pass() { echo "-- $*"; passed=$((passed + 1)); }

version=$(sed -n 's/^project(boltgen VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[[ -n $version ]] || fail "no version in CMakeLists.txt"
started=$SECONDS
rm -f "$build"/boltgen_*.deb
(cd "$build" && cpack -G DEB >"$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; fail "cpack failed"; }
deb="$build/boltgen_${version}_amd64.deb"
[[ -f $deb ]] || fail "cpack wrote no $(basename "$deb"): $(ls "$build"/*.deb 2>/dev/null)"
pass "$(basename "$deb"), $(stat -c %s "$deb") bytes, built in $((SECONDS - started))s"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Control data: the version of the one place, and dependencies that the
# tools found (the window's Qt and the C library), not a hand-kept list.
dpkg-deb -I "$deb" >"$work/info.txt"
field() { sed -n "s/^ $1: //p" "$work/info.txt"; }
[[ $(field Package) == boltgen && $(field Version) == "$version" && $(field Architecture) == amd64 ]] ||
  fail "control data: $(cat "$work/info.txt")"
depends=$(field Depends)
for needed in 'libc6 (>= ' 'libqt6widgets6 (>= ' lib3mf; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
pass "control data: boltgen $version amd64, Depends: $depends"

# Contents: every file a user's system looks for, at its place.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/contents.txt"
expected=(usr/bin/boltgen usr/bin/boltgen-window usr/share/boltgen/boltgen.ini
  usr/share/boltgen/boltgen.pdf usr/share/applications/boltgen.desktop
  usr/share/icons/hicolor/scalable/apps/boltgen.svg usr/share/icons/hicolor/48x48/apps/boltgen.png
  usr/share/metainfo/example.quillfen.boltgen.metainfo.xml usr/share/man/man1/boltgen.1.gz
  usr/share/man/man1/boltgen-window.1.gz usr/share/bash-completion/completions/boltgen
  usr/share/doc/boltgen/copyright usr/share/doc/boltgen/changelog.gz)
for path in "${expected[@]}"; do
  grep -qx "$path" "$work/contents.txt" || fail "the package has no $path"
done
pass "contents: ${#expected[@]} expected paths among $(wc -l <"$work/contents.txt")"

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"

# The desktop entry names an icon that the package installs, and the
# metainfo (which names the entry) is accepted.
icon=$(sed -n 's/^Icon=//p' "$usr/share/applications/boltgen.desktop")
[[ -n $icon ]] || fail "the desktop entry has no Icon="
[[ -f $usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no hicolor icon named $icon"
for size in 16 32 48 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] ||
    fail "$png is not a $size x $size PNG: $(file -b "$png" 2>&1)"
done
metainfo="$usr/share/metainfo/example.quillfen.boltgen.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" 2>&1 ||
  { cat "$work/appstream.txt"; fail "appstreamcli rejects the metainfo"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names another version"
pass "desktop entry Icon=$icon with SVG and PNG sizes; appstreamcli accepts the metainfo"

# The manual page renders without a warning and documents every switch.
MANWIDTH=80 man --warnings -l "$usr/share/man/man1/boltgen.1.gz" >"$work/man.txt" 2>"$work/man.err" ||
  fail "man -l failed: $(cat "$work/man.err")"
[[ ! -s $work/man.err ]] || fail "man -l warns: $(cat "$work/man.err")"
grep -q "boltgen $version" "$work/man.txt" || fail "the manual page names another version"
for key in D P L S T W R A N F B G M X E; do
  grep -qE "^ +/$key:[a-z]+" "$work/man.txt" || fail "the manual page does not document /$key:"
done
pass "man -l renders boltgen(1), $(wc -l <"$work/man.txt") lines, every switch documented"

# The completion, as bash calls it: the current word is split at ':'.
complete_line() {
  env -i PATH="$usr/bin:/usr/bin:/bin" HOME="$work" bash -c '
    source "$1"; line=$2; cd "$3"
    COMP_LINE=$line COMP_POINT=${#line}
    _boltgen
    printf "%s\n" "${COMPREPLY[@]}"' _ "$usr/share/bash-completion/completions/boltgen" "$1" "$2"
}
mkdir "$work/empty"
# Every switch the program's own help names, and no other.
switches=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/boltgen" --help 2>/dev/null | grep -o '^/[A-Z]:' | sort -u)
[[ $(complete_line 'boltgen /' "$work/empty" | sort -u) == "$switches" ]] ||
  fail "'boltgen /' completes to: $(complete_line 'boltgen /' "$work/empty")"
[[ $(complete_line 'boltgen /D:7 /N' "$work/empty") == /N: ]] || fail "'/N' does not complete to /N:"
[[ $(complete_line 'boltgen /T:' "$work/empty" | tr '\n' ' ') == '0 1 ' ]] ||
  fail "'/T:' completes to: $(complete_line 'boltgen /T:' "$work/empty")"
sizes=$(grep -c '^\[' "$root/data/boltgen.ini")
[[ $(complete_line 'boltgen /D:' "$work/empty" | tail -n 1) == $((sizes - 1)) ]] ||
  fail "'/D:' does not offer the installed table's $sizes sizes"
[[ $(complete_line 'boltgen /S:4' "$work/empty") == 4 ]] || fail "'/S:4' does not complete to 4"
pass "bash completion: switches, flags, segments and the installed table's $sizes sizes"

# The installed program's main job from an empty folder, without a display:
# it finds the installed table and writes the script the build writes.
job=(/D:7 /P:1 /L:3.000 /S:1 /T:0 /N:1 /B:1 /G:1)
script='IN_07500_HCSW-UNC_03000-3D(036).scr'
mkdir "$work/job" "$work/reference"
status=0
(cd "$work/job" && env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/boltgen" "${job[@]}" \
  >"$work/job.out" 2>"$work/job.err") || status=$?
[[ $status -eq 0 ]] || fail "the installed program ended with status $status: $(cat "$work/job.err")"
[[ $(ls "$work/job") == "$script" ]] || fail "the installed program wrote: $(ls "$work/job")"
(cd "$work/reference" && cp "$build/boltgen.ini" . &&
  env -u DISPLAY -u WAYLAND_DISPLAY "$build/boltgen" "${job[@]}" >/dev/null 2>&1)
cmp -s <(grep -v '^; Date: ' "$work/job/$script") <(grep -v '^; Date: ' "$work/reference/$script") ||
  fail "the installed program's script differs from the build's"
pass "installed boltgen: status 0, $script from the installed table, as the build writes it"

# The slowest check last.
started=$SECONDS
lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
if grep -q '^E: ' "$work/lintian.txt"; then
  cat "$work/lintian.txt"
  fail "lintian reports errors"
fi
pass "lintian: no errors ($(grep -c '^[WI]: ' "$work/lintian.txt" || true) warnings and notes) in $((SECONDS - started))s"

echo "package: $passed passed"
