#!/usr/bin/env bash
# Runs the Windows build under wine, without a display: the core's tests, and
# the main job, whose script must be the Linux program's byte for byte (the
# date line aside), the same job with every output (/M:1 /X:1 /E:1), whose
# files must be Linux's, and a failing job, which must end with status 1 and
# say why. Then the window, on a display of its own (Xvfb): its program file,
# its layout against the Linux window's and at 150 % and 200 % against its
# own at 100 %, the hand-over from boltgen.exe, and runs driven by keystrokes
# (Tab, the Alt letters) against the Linux window's.
# Usage: scripts/test-windows.sh LINUX_BOLTGEN (the Linux boltgen-window beside it)
# Ends with "windows: N passed" when everything passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_boltgen=$(realpath "$1")
out="$root/build-windows"

# wine of its own, in the build folder.
export WINEPREFIX="$out/wineprefix"
source "$root/scripts/wine-env.sh"
started=$SECONDS
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  "$wine" wineboot --init >/dev/null 2>&1
fi
echo "-- wine ready in $((SECONDS - started))s"

passed=0
started=$SECONDS
"$wine" "$out/boltgen_tests.exe" --gtest_brief=1 2>&1 | tr -d '\r' | tee "$out/windows-tests.log"
summary=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$out/windows-tests.log" || true)
if [[ -z $summary ]] || grep -q '^\[  FAILED  \]' "$out/windows-tests.log"; then
  echo "boltgen_tests.exe failed under wine" >&2
  exit 1
fi
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' <<<"$summary")
echo "-- boltgen_tests.exe: $passed passed in $((SECONDS - started))s"

fail() { echo "boltgen.exe under wine: $*" >&2; exit 1; }
work=$(mktemp -d)
cleanup() {
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/linux" "$work/windows"
cp "$root/data/boltgen.ini" "$work/linux/"
cp "$root/data/boltgen.ini" "$work/windows/"
job=(/D:7 /P:1 /L:3.000 /S:1 /T:0 /N:1 /B:1 /G:1)
script='IN_07500_HCSW-UNC_03000-3D(036).scr'
(cd "$work/linux" && "$linux_boltgen" "${job[@]}" >/dev/null 2>&1) || fail "the Linux program failed"
status=0
(cd "$work/windows" && "$wine" "$out/boltgen.exe" "${job[@]}" >"$work/out.txt" 2>"$work/err.txt") ||
  status=$?
[[ $status -eq 0 ]] || fail "the main job ended with status $status: $(cat "$work/err.txt")"
[[ $(ls "$work/windows" | wc -l) -eq 2 && -f $work/windows/$script ]] ||
  fail "the main job wrote: $(ls "$work/windows")"
grep -qE $'^; Date: [0-9]{2} [A-Z][a-z]{2} [0-9]{4}\r$' "$work/windows/$script" ||
  fail "the script has no date line"
cmp <(grep -av '^; Date: ' "$work/linux/$script") <(grep -av '^; Date: ' "$work/windows/$script") ||
  fail "the script differs from the Linux program's"
echo "-- main job: status 0, $(wc -c <"$work/windows/$script") bytes as on Linux (date line aside)"
passed=$((passed + 1))

# Every output at once: the DXF drawings and the 3MF file come from the
# libraries linked into the program, the STL files from its own writer.
every=(/D:7 /P:1 /L:3 /S:1 /T:0 /N:1 /G:1 /M:1 /X:1 /E:1)
mkdir "$work/linux-every" "$work/windows-every"
cp "$root/data/boltgen.ini" "$work/linux-every/"
cp "$root/data/boltgen.ini" "$work/windows-every/"
(cd "$work/linux-every" && "$linux_boltgen" "${every[@]}" >/dev/null 2>&1) ||
  fail "the Linux program failed with every output"
status=0
(cd "$work/windows-every" && "$wine" "$out/boltgen.exe" "${every[@]}" >"$work/out.txt" 2>"$work/err.txt") ||
  status=$?
[[ $status -eq 0 ]] || fail "${every[*]} ended with status $status: $(tr -d '\r' <"$work/err.txt")"
/usr/bin/python3 "$root/scripts/compare_part_files.py" "$work/linux-every" "$work/windows-every" \
  >"$work/compare.txt" || fail "${every[*]} wrote other files than Linux"
echo "-- every output: $(grep -c ': same$' "$work/compare.txt") files as on Linux" \
  "(script, DXF byte for byte; STL, 3MF model within 1e-9)"
passed=$((passed + 1))

status=0
(cd "$work/windows" && "$wine" "$out/boltgen.exe" /D:99 /G:1 >"$work/out.txt" 2>"$work/err.txt") ||
  status=$?
message=$(tr -d '\r' <"$work/err.txt" | grep '/D:' || true)
[[ $status -eq 1 ]] || fail "/D:99 /G:1 ended with status $status"
[[ -n $message ]] || fail "/D:99 /G:1 gave no message naming /D:: $(cat "$work/err.txt")"
[[ $(ls "$work/windows" | wc -l) -eq 2 ]] || fail "/D:99 /G:1 wrote a file"
echo "-- failing job: status 1, \"$message\""
passed=$((passed + 1))

"$wineserver" -w
source "$root/scripts/test-windows-window.sh"
echo "windows: $passed passed"
