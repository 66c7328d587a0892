#!/usr/bin/env bash
# Writes one script for every size of a size table, each pitch and three
# lengths, unattended, in parallel processes: the batch job the command line
# exists for. Usage: catalogue.sh BOLTGEN SIZE_TABLE OUT_FOLDER [JOBS]
set -euo pipefail
boltgen=$(realpath "$1")
table=$(realpath "$2")
out=$3
jobs=${4:-$(nproc)}
mkdir -p "$out"
cp "$table" "$out/boltgen.ini"
cd "$out"
# Section headers in file order give the /D: index; inch sizes get inch
# lengths, metric sizes millimetres. Each job: size, pitch, length, threads,
# nuts and blocks, 36 segments.
tr -d '\r' <boltgen.ini | grep '^\[' | awk '
  { lengths = ($0 ~ /Metric|METRIC|ISO|DIM/) ? "40 100 200" : "1.5 3 8"
    split(lengths, l, " ")
    for (p = 0; p < 2; p++) for (i = 1; i <= 3; i++)
      printf "/D:%d /P:%d /L:%s /S:1 /T:0 /N:1 /B:1 /G:1\n", NR - 1, p, l[i] }' |
  env -u DISPLAY -u WAYLAND_DISPLAY xargs -P "$jobs" -L 1 "$boltgen" >/dev/null 2>errors.log ||
  { cat errors.log >&2; exit 1; }
rm -f errors.log
echo "$(ls ./*.scr | wc -l) scripts, $(du -sh . | cut -f1) in $out"
