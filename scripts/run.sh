#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job: the 3/4 inch
# UNC bolt with threads, nuts and block commands, unattended, in an empty folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target boltgen
out=$(mktemp -d)
cd "$out"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/build/boltgen" /D:7 /P:1 /L:3.000 /S:1 /T:0 /N:1 /B:1 /G:1
ls -l "$out"
