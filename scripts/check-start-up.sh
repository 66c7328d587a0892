#!/usr/bin/env bash
# What a headless run maps: no window library; and it still writes a 3MF
# file, through the lib3mf it is linked with.
# Usage: check-start-up.sh BOLTGEN SIZE_TABLE
set -euo pipefail
boltgen=$(realpath "$1")
table=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$table" boltgen.ini
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "check-start-up.sh: $*" >&2; exit 1; }

# The loader's own list must be real (it names the C library) and hold no Qt.
libs=$(LD_DEBUG=libs "$boltgen" ? 2>&1 >/dev/null) || fail "boltgen ? failed"
grep -q 'calling init:.*libc\.so' <<<"$libs" || fail "no loader output: $libs"
! grep -q 'libQt6' <<<"$libs" || fail "a headless run maps Qt"

libs=$(LD_DEBUG=libs "$boltgen" /D:7 /P:1 /L:3 /S:0 /T:0 /X:1 /G:1 2>&1 >/dev/null) ||
  fail "/X:1 failed: $(grep -v '^ *[0-9]*:' <<<"$libs")"
! grep -q 'libQt6' <<<"$libs" || fail "a headless /X:1 run maps Qt"
package=$(ls ./*.3mf) || fail "/X:1 wrote no 3MF file"
[ "$(head -c 2 "$package")" = PK ] || fail "$package is not a zip package"
echo "start-up: no Qt; /X:1 wrote $package"
