#!/usr/bin/env bash
# Screws a threaded nut onto every shipped size's bolt (CI takes three
# sizes), then writes a threaded bolt and nuts with their 3MF file for each
# unit and has PrusaSlicer read the 3MF: one plate whose objects stand at
# z = 0 within its 250 x 210 mm and whose boxes do not overlap. Not part of
# CI: PrusaSlicer is a large install, the full sweep a slow one.
# Usage: scripts/check-threaded-nuts.sh [build-folder]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
boltgen=$build/boltgen
BOLTGEN_ALL_SIZES=1 "$build/boltgen_tests" --gtest_filter='ThreadedNuts.*' --gtest_brief=1
if ! command -v prusa-slicer >/dev/null; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends prusa-slicer
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/data/boltgen.ini" "$work/"
cd "$work"
status=0
# 3/4-10 UNC (inch package) and M10 x 1.5 with a printing clearance.
for args in "/D:7 /P:1 /L:3 /T:0 /I:1 /X:1 /F:inch" "/D:16 /P:0 /L:40 /T:0 /I:1 /C:0.2 /X:1 /F:metric"; do
  env -u DISPLAY -u WAYLAND_DISPLAY "$boltgen" $args /G:1 >/dev/null 2>&1
  name=${args##*/F:}
  prusa-slicer --info "$name.3mf" >"$name.info" 2>&1 || true
  # One block per object, its box in mm.
  if ! python3 - "$name" "$name.info" <<'PY'; then status=1; fi
import re, sys
name = sys.argv[1]
text = open(sys.argv[2]).read()
values = {}
for key in ("min_x", "min_y", "min_z", "max_x", "max_y", "max_z", "number_of_parts"):
    values[key] = [float(v) for v in re.findall(r"^%s = ([-0-9.e+]+)" % key, text, re.M)]
n = len(values["min_z"])
ok = n >= 1
boxes = list(zip(values["min_x"], values["min_y"], values["max_x"], values["max_y"]))
print(f"{name}: {n} object block(s), min_z {values['min_z']}")
for (x0, y0, x1, y1) in boxes:
    ok &= x0 >= 0 and y0 >= 0 and x1 <= 250 and y1 <= 210
for z in values["min_z"]:
    ok &= abs(z) < 1e-3
for i in range(len(boxes)):
    for j in range(i):
        a, b = boxes[i], boxes[j]
        if a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]:
            print(f"{name}: objects {i} and {j} overlap"); ok = False
if not ok:
    print(text)
sys.exit(0 if ok else 1)
PY
done
[[ $status -eq 0 ]] && echo "threaded nuts: PrusaSlicer reads both plates" || echo "threaded nuts: FAILED"
exit $status
