#!/usr/bin/env bash
# Times the largest script the program writes (3/4 inch bolt, 240 segments,
# 117 thread turns at pitch 0.015, nuts and block commands: about 2.2 MB) as a
# whole process against copying the same bytes, with `cp` and durably with
# `dd conv=fsync`, interleaved so that all three see the same machine, and
# prints the ratios of the medians. The bar is the durable copy: the program
# itself makes its files durable before it names them.
# Usage: bench-process.sh BOLTGEN [SIZE_TABLE] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
boltgen=$(realpath "$1")
table=$(realpath "${2:-$root/data/boltgen.ini}")
runs=${3:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The shipped pitches leave most of the mesh's 256 rows empty; a third pitch
# of 0.015 on the 3/4 inch size (10 threads per inch) fills them.
awk '/^\[/ { section = $0 } { print } section ~ /^\[Inch 3\/4\]/ && /^pitch1=/ { print "pitch2=0.015\r" }' \
  "$table" >boltgen.ini
size=$(tr -d '\r' <boltgen.ini | grep '^\[' | grep -n -x -F '[Inch 3/4]' | cut -d: -f1)
[ -n "$size" ] || { echo "bench-process.sh: no [Inch 3/4] in $table" >&2; exit 1; }
args=(/D:$((size - 1)) /P:2 /L:3 /S:5 /T:0 /N:1 /B:1 /G:1)
unset DISPLAY WAYLAND_DISPLAY
script=$("$boltgen" "${args[@]}" 2>/dev/null)
case "$script" in *-000_03000-3D\(240\).scr) ;; *) echo "bench-process.sh: no largest script" >&2; exit 1 ;; esac
echo "largest script: $(stat -c %s "$script") bytes: boltgen ${args[*]}"

gen=() copy=() durable=()
# Both write a new file: the previous run's script and copy are removed
# before the clock starts, so that neither pays for replacing an old one.
for ((i = 0; i < runs; i++)); do
  rm -f "$script"
  start=$EPOCHREALTIME
  "$boltgen" "${args[@]}" >/dev/null 2>&1
  middle=$EPOCHREALTIME
  cp "$script" copy.scr
  end=$EPOCHREALTIME
  dd if="$script" of=durable.scr bs=1M conv=fsync status=none
  last=$EPOCHREALTIME
  gen+=("$start $middle")
  copy+=("$middle $end")
  durable+=("$end $last")
  rm -f copy.scr durable.scr
done
# Each entry is "start end" in seconds; the median of end - start.
median() { printf '%s\n' "$@" | awk '{ printf "%.6f\n", $2 - $1 }' | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
g=$(median "${gen[@]}")
c=$(median "${copy[@]}")
d=$(median "${durable[@]}")
awk -v g="$g" -v c="$c" -v d="$d" -v n="$runs" 'BEGIN {
  printf "%d runs each, interleaved: boltgen %.2f ms, cp %.2f ms, dd conv=fsync %.2f ms (medians)\n", n, g * 1000, c * 1000, d * 1000
  printf "ratio to cp %.2f, ratio to the durable copy %.2f\n", g / c, g / d }'
