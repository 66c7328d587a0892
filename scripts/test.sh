#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit and
# window tests, the same core tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short run of each fuzz target, and the Windows
# build's tests and main job under wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

echo "== Build and unit tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build"
logs=$(mktemp -d)
ctest --test-dir "$root/build" --output-on-failure -j2 | tee "$logs/unit.log"

echo "== Debian package"
package_started=$SECONDS
bash "$root/scripts/test-package.sh" "$root/build" | tee "$logs/package.txt"
package_passed=$(sed -n 's/^package: \([0-9]*\) passed$/\1/p' "$logs/package.txt")
echo "-- Debian package: $((SECONDS - package_started))s"

# Built with clang, while the build above uses the default compiler (GCC), so
# that the code and its tests compile with both.
echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer, built with clang"
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBOLTGEN_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DBOLTGEN_GUI=OFF -DBOLTGEN_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-asan"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j2 | tee "$logs/asan.log"

echo "== Fuzz targets, briefly"
fuzz_seconds=${BOLTGEN_FUZZ_SECONDS:-15}
CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBOLTGEN_FUZZ=ON -DBOLTGEN_GUI=OFF -DBOLTGEN_TESTS=OFF -DBOLTGEN_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-fuzz"
fuzz_passed=0
for target in numbers size_table command_line generation preview; do
  work=$(mktemp -d)
  cp -r "$root/src/fuzz/corpus/$target/." "$work/"
  status=0
  (cd "$work" && "$root/build-fuzz/${target}_fuzz" -max_total_time="$fuzz_seconds" -timeout=10 \
     -rss_limit_mb=256 -print_final_stats=1 "$work" >"$work.log" 2>&1) || status=$?
  runs=$(grep -ao 'stat::number_of_executed_units: *[0-9]*' "$work.log" | grep -o '[0-9]*$' || echo 0)
  echo "-- fuzz $target: $runs inputs in ${fuzz_seconds}s, exit status $status"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work.log"
    exit 1
  fi
  fuzz_passed=$((fuzz_passed + 1))
  rm -rf "$work" "$work.log"
done

echo "== Windows build, its tests and jobs, the setup program and the zip under wine"
windows_started=$SECONDS
"$root/scripts/build-windows.sh"
bash "$root/scripts/test-windows.sh" "$root/build/boltgen" | tee "$logs/windows.txt"
windows_passed=$(sed -n 's/^windows: \([0-9]*\) passed$/\1/p' "$logs/windows.txt")
bash "$root/scripts/package-windows.sh" "$root/build-windows" "$root/build"
bash "$root/scripts/test-windows-setup.sh" "$root/build-windows" "$root/build/boltgen" |
  tee "$logs/windows-setup.txt"
windows_passed=$((windows_passed +
  $(sed -n 's/^windows setup: \([0-9]*\) passed$/\1/p' "$logs/windows-setup.txt")))
echo "-- Windows part: $((SECONDS - windows_started))s"

# One closing line over every test that ran: the unit and window tests, the
# Debian package's checks, the sanitized core tests, the fuzz targets and the
# Windows build's tests and jobs.
passed=$(cat "$logs"/*.log | sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' |
  awk '{p += $1 - $2} END {print p + 0}')
echo "boltgen: $((passed + package_passed + fuzz_passed + windows_passed)) passed, 0 failed"
