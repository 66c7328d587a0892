#!/usr/bin/env bash
# Installs boltgen-setup.exe under wine as a user would, silently (/S), into a
# fresh wine prefix; runs the installed program's main job; uninstalls it
# silently and checks that nothing is left. Also checks that the zip holds the
# files the setup program installs.
# Usage: scripts/test-windows-setup.sh WINDOWS_BUILD LINUX_BOLTGEN
# Ends with "windows setup: N passed" when everything passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$1" && pwd)
linux_boltgen=$(realpath "$2")
setup="$out/boltgen-setup.exe"
passed=0
fail() { echo "windows setup: $*" >&2; exit 1; }
pass() { echo "-- $*"; passed=$((passed + 1)); }
[[ -f $setup && -f $out/boltgen-windows.zip ]] || fail "no setup program or zip in $out"

# A per-user installation: the setup program asks Windows for no elevation.
grep -aq 'requestedExecutionLevel level="asInvoker"' "$setup" ||
  fail "the setup program asks for administrator rights"

work=$(mktemp -d)
trap '"${wineserver:-true}" -k 2>/dev/null; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix"
source "$root/scripts/wine-env.sh"
started=$SECONDS
"$wine" wineboot --init >/dev/null 2>&1
"$wine" "$setup" /S >/dev/null 2>&1 || fail "the silent install ended with status $?"
"$wineserver" -w
user_dir=$(echo "$WINEPREFIX"/drive_c/users/*/AppData | grep -v '\*' | head -n 1)
[[ -d $user_dir ]] || fail "the prefix has no user folder"
install="$user_dir/Local/Programs/boltgen"
menu="$user_dir/Roaming/Microsoft/Windows/Start Menu/Programs"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\boltgen'

expected=(boltgen.exe boltgen.ini boltgen.pdf boltgen.ico uninstall.exe)
[[ -f $out/boltgen-window.exe ]] && expected+=(boltgen-window.exe)
installed=$(cd "$install" 2>/dev/null && ls | sort) || fail "nothing installed in $install"
[[ $installed == "$(printf '%s\n' "${expected[@]}" | sort)" ]] ||
  fail "installed: $(echo $installed), expected: ${expected[*]}"
cmp -s "$install/boltgen.ini" "$root/data/boltgen.ini" || fail "the installed size table differs"
[[ -f "$menu/Quillfen 3D Bolt Generator.lnk" ]] || fail "no Start-menu entry: $(ls "$menu")"
"$wine" reg query "$uninstall_key" >"$work/key.txt" 2>&1 || fail "no entry in Apps ($uninstall_key)"
tr -d '\r' <"$work/key.txt" >"$work/key.lf"
grep -q 'DisplayName.*Quillfen 3D Bolt Generator' "$work/key.lf" &&
  grep -qi 'UninstallString.*Programs\\boltgen\\uninstall.exe' "$work/key.lf" &&
  grep -q "DisplayVersion.*$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")" \
    "$work/key.lf" || fail "the Apps entry is incomplete: $(cat "$work/key.lf")"
pass "silent install in $((SECONDS - started))s: ${expected[*]}, Start-menu entry, Apps entry"

# The installed program, from an empty folder, finds the size table beside it.
job=(/D:7 /P:1 /L:3.000 /S:1 /T:0 /N:1 /B:1 /G:1)
script='IN_07500_HCSW-UNC_03000-3D(036).scr'
mkdir "$work/job" "$work/linux"
cp "$root/data/boltgen.ini" "$work/linux/"
(cd "$work/linux" && "$linux_boltgen" "${job[@]}" >/dev/null 2>&1) || fail "the Linux program failed"
status=0
(cd "$work/job" && "$wine" "$install/boltgen.exe" "${job[@]}" >/dev/null 2>"$work/err.txt") || status=$?
[[ $status -eq 0 ]] || fail "the installed program ended with status $status: $(cat "$work/err.txt")"
[[ $(ls "$work/job") == "$script" ]] || fail "the installed program wrote: $(ls "$work/job")"
cmp -s <(grep -av '^; Date: ' "$work/linux/$script") <(grep -av '^; Date: ' "$work/job/$script") ||
  fail "the installed program's script differs from the Linux program's"
pass "installed boltgen.exe: status 0, $script as on Linux"

started=$SECONDS
"$wine" "$install/uninstall.exe" /S >/dev/null 2>&1 || fail "the silent uninstall ended with status $?"
"$wineserver" -w
[[ ! -e $install ]] || fail "the uninstall left $(ls -A "$install")"
left=$(ls "$menu" | grep -i 'bolt' || true)
[[ -z $left ]] || fail "the uninstall left in the Start menu: $left"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall left the Apps entry"
pass "silent uninstall in $((SECONDS - started))s: no file, Start-menu entry or Apps entry left"

# The zip holds what the setup program installs, but the uninstaller.
zipped=$(unzip -Z1 "$out/boltgen-windows.zip" | grep -v '/$' | sed 's|^boltgen/||' | sort)
[[ $zipped == "$(printf '%s\n' "${expected[@]}" | grep -vx uninstall.exe | sort)" ]] ||
  fail "the zip holds: $(echo $zipped)"
pass "boltgen-windows.zip: $(echo $zipped)"
echo "windows setup: $passed passed"
