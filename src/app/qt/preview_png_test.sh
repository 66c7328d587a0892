#!/bin/sh
# The picture tool refuses what it cannot draw as asked, with a non-zero
# status and nothing written, and writes the picture whole or not at all.
# Usage: preview_png_test.sh TOOL TABLE
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$2" "$dir/boltgen.ini" || exit 1
cd "$dir" || exit 1
printf old > old.png
fail() { echo "FAIL: $*"; ls -la; exit 1; }
only_inputs() { [ "$(ls -A | grep -v -x -e boltgen.ini -e old.png)" = "" ]; }

for args in '/D:99' '/D:7 /P:9' '/D:7 /G:1' '64 64 /D:7 /G:1' '640 0x10 /D:7' '8193 10 /D:7' \
            '100000 100000 /D:7' '30000 30000 /D:7'; do
  # shellcheck disable=SC2086 # the switches are words of their own
  "$tool" out.png $args >/dev/null 2>err.txt
  status=$?
  [ "$status" -ne 0 ] || fail "status 0 for: $args"
  [ -s err.txt ] || fail "no message for: $args"
  rm -f err.txt
  only_inputs || fail "wrote something for: $args"
done

# Past the file size limit, as on a full disk: the old picture stays.
(ulimit -f 1; "$tool" old.png 400 400 /D:7 >/dev/null 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "status $status past the file size limit"
[ "$(cat old.png)" = old ] || fail "the old picture was changed"
only_inputs || fail "a temporary was left"

"$tool" out.png 64 64 /D:7 >/dev/null 2>&1 || fail "a picture of the default bolt was refused"
[ "$(head -c 4 out.png | tail -c 3)" = PNG ] || fail "out.png is no PNG"
echo "preview_png: refusals and whole writes hold"
