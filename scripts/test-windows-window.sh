# The Windows window's tests, sourced by scripts/test-windows.sh after its
# console tests: $wine, $wineserver, $out, $work, $root, $linux_boltgen and
# fail() come from there, and $passed counts on.
linux_window="$(dirname "$linux_boltgen")/boltgen-window"
title='Quillfen 3D Bolt Generator'
fail() { echo "boltgen-window.exe under wine: $*" >&2; exit 1; }

# The program file: a window program (subsystem 2) that needs no DLL a bare
# Windows lacks; boltgen.exe stays a console program (3) for batch runs.
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Subsystem\s*\([0-9a-f]*\).*/\1/p'; }
[[ $(subsystem "$out/boltgen-window.exe") == 00000002 ]] ||
  fail "boltgen-window.exe is no window program: subsystem $(subsystem "$out/boltgen-window.exe")"
[[ $(subsystem "$out/boltgen.exe") == 00000003 ]] ||
  fail "boltgen.exe is no console program: subsystem $(subsystem "$out/boltgen.exe")"
dlls=$(x86_64-w64-mingw32-objdump -p "$out/boltgen-window.exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
foreign=$(grep -vxE '(kernel32|msvcrt|user32|gdi32|comctl32|comdlg32|shell32|ole32|advapi32)\.dll' \
  <<<"$dlls" || true)
[[ -z $foreign ]] || fail "imports DLLs that Windows does not have: $foreign"
echo "-- program file: subsystem GUI, imports only" $dlls
passed=$((passed + 1))
# Explorer and the taskbar show each program's first icon: the build's, with
# every size it drew.
sizes=$(icotool -l "$out/boltgen.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
[[ $sizes == "16 24 32 48 256 " ]] || fail "boltgen.ico holds the sizes $sizes"
images() {  # the pictures of an icon file, as PNG files in folder $2
  mkdir -p "$2" && cp "$1" "$2/icon.ico" && icotool -x -o "$2" "$2/icon.ico" && rm "$2/icon.ico"
}
images "$out/boltgen.ico" "$work/icon/built"
for exe in boltgen.exe boltgen-window.exe; do
  wrestool -x --type=14 --name=1 -o "$work/icon/$exe.ico" "$out/$exe" 2>/dev/null || true
  [[ -s $work/icon/$exe.ico ]] && images "$work/icon/$exe.ico" "$work/icon/$exe" &&
    diff -r -q "$work/icon/built" "$work/icon/$exe" >/dev/null ||
    fail "$exe does not carry the program's icon"
done
echo "-- icon: boltgen.exe and boltgen-window.exe carry boltgen.ico (${sizes% } pixels)"
passed=$((passed + 1))

# A display of its own: Xvfb picks a free number and says which.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"
unset QT_QPA_PLATFORM
# The windows keep their choices between runs (Linux in its config folder,
# Windows in the registry): every run here starts from the form's defaults.
export XDG_CONFIG_HOME="$work/config"
settings_key='HKCU\Software\Quillfen\boltgen'
forget_settings() { "$wine" reg delete "$settings_key" /f >/dev/null 2>&1 || true; }
forget_settings

# The screen's scale in dots per inch (96 is 100 %) for the wine programs
# started next; every run below but the scaled ones is at 100 %.
set_dpi() {
  "$wineserver" -w
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "could not set the screen to $1 dpi"
  "$wineserver" -w
}
set_dpi 96

# Both windows dump their controls as they stand after start-up, read back
# from their own widgets: the one form must give the one layout.
mkdir "$work/layout"
cp "$root/data/boltgen.ini" "$work/layout/"
(cd "$work/layout" && QT_QPA_PLATFORM=offscreen "$linux_window" --dump-layout /D:9 /L:2.5 >qt.txt) ||
  fail "the Linux window's --dump-layout failed"
(cd "$work/layout" && timeout 120 "$wine" "$out/boltgen-window.exe" --dump-layout /D:9 /L:2.5 |
  tr -d '\r' >win.txt) || fail "--dump-layout failed"
widgets=$(grep -c '<widget class=' "$root/src/app/forms/main_window.ui")
[[ $(grep -c '^control ' "$work/layout/win.txt") -eq $((widgets - 1)) ]] ||
  fail "the dump lists $(grep -c '^control ' "$work/layout/win.txt") controls, the form $((widgets - 1))"
size=$(/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).find("widget/property/rect")
print(r.findtext("width") + "x" + r.findtext("height"))' "$root/src/app/forms/main_window.ui")
grep -q '^window "'"$title"'" 0,0 '"$size"'$' "$work/layout/win.txt" ||
  fail "no window line of the form's $size: $(head -1 "$work/layout/win.txt")"
diff "$work/layout/qt.txt" "$work/layout/win.txt" >&2 || fail "the layout differs from the Linux window's"
echo "-- layout: $((widgets - 1)) controls as in the Linux window"
passed=$((passed + 1))

# At 150 % and 200 % every control keeps its place and size in form units:
# the window scales as a whole, no control keeping a size of its own.
for dpi in 144 192; do
  set_dpi "$dpi"
  (cd "$work/layout" && timeout 120 "$wine" "$out/boltgen-window.exe" --dump-layout /D:9 /L:2.5 |
    tr -d '\r' >"win-$dpi.txt") || fail "--dump-layout failed at $dpi dpi"
  diff "$work/layout/win.txt" "$work/layout/win-$dpi.txt" >&2 || fail "at $dpi dpi the layout differs from 96 dpi's"
done
set_dpi 96
echo "-- scaled layout: at 144 and 192 dpi as at 96 dpi, in form units"
passed=$((passed + 1))

# boltgen.exe hands a run that is no batch run over to the window program,
# the arguments as given; the window's dump is then boltgen.exe's output.
(cd "$work/layout" && timeout 120 "$wine" "$out/boltgen.exe" --dump-layout /D:9 /L:2.5 |
  tr -d '\r' >handed.txt) || fail "boltgen.exe without /G:1 failed"
cmp -s "$work/layout/win.txt" "$work/layout/handed.txt" ||
  fail "boltgen.exe without /G:1 did not hand over: $(head -c 300 "$work/layout/handed.txt")"
echo "-- hand-over: boltgen.exe --dump-layout /D:9 /L:2.5 is the window's"
passed=$((passed + 1))

# The windows on the screen with the title.
shown_windows() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true; }

# Waits up to 120 s for `count` windows with the title.
wait_windows() {
  local count=$1
  for _ in $(seq 240); do
    [[ $(shown_windows | wc -l) -ge $count ]] && return 0
    sleep 0.5
  done
  return 1
}

# Starts a window program in `folder`, gives it the keys and waits for a
# script. Usage: drive folder keys... -- program...
drive() {
  local folder=$1
  shift
  local keys=()
  while [[ $1 != -- ]]; do keys+=("$1"); shift; done
  shift
  forget_settings
  (cd "$folder" && exec "$@" >"$folder/out.txt" 2>&1) &
  driven_pid=$!
  wait_windows 1 || fail "no window titled \"$title\" from $*"
  local window
  window=$(shown_windows | head -1)
  for _ in $(seq 20); do xdotool windowfocus --sync "$window" 2>/dev/null && break; sleep 0.5; done
  sleep 1
  local key
  for key in "${keys[@]}"; do
    if [[ $key == type:* ]]; then xdotool type --delay 80 "${key#type:}"; else xdotool key "$key"; fi
    sleep 0.3
  done
}

# Ends a driven window with Esc and checks it ended with status 0.
end_driven() {
  xdotool key Escape
  local status=0
  timeout 60 tail --pid="$driven_pid" -f /dev/null || fail "the window did not end on Esc"
  wait "$driven_pid" || status=$?
  [[ $status -eq 0 ]] || fail "the window ended with status $status: $(cat "$1/out.txt")"
}

# The same keys in both windows: the next size, Tab to the length, a length, Enter.
keys=(Down Tab Tab type:2.5 Return)
script='IN_08750_HCSW-UNF_02500-3D(024).scr'
for side in linux windows; do
  mkdir "$work/keys-$side"
  cp "$root/data/boltgen.ini" "$work/keys-$side/"
done
drive "$work/keys-linux" "${keys[@]}" -- "$linux_window"
for _ in $(seq 120); do [[ -f $work/keys-linux/$script ]] && break; sleep 0.5; done
end_driven "$work/keys-linux"
drive "$work/keys-windows" "${keys[@]}" -- "$wine" "$out/boltgen-window.exe"
for _ in $(seq 240); do [[ -f $work/keys-windows/$script ]] && break; sleep 0.5; done
[[ -f $work/keys-windows/$script ]] || fail "the keys wrote no $script: $(ls "$work/keys-windows")"
sleep 1
end_driven "$work/keys-windows"
[[ -f $work/keys-linux/$script ]] || fail "the Linux window wrote no $script: $(ls "$work/keys-linux")"
cmp <(grep -av '^; Date: ' "$work/keys-linux/$script") <(grep -av '^; Date: ' "$work/keys-windows/$script") ||
  fail "the script differs from the Linux window's"
echo "-- keys ${keys[*]}: $script, $(wc -c <"$work/keys-windows/$script") bytes as the Linux window's"
# The choices of that run are kept for the next, the size as the Linux window keeps it.
chosen=$("$wine" reg query "$settings_key" /v size 2>/dev/null | tr -d '\r' | sed -n 's/^ *size *REG_SZ *//p')
linux_chosen=$(sed -n 's/^size=//p' "$XDG_CONFIG_HOME/boltgen/boltgen.conf" 2>/dev/null)
[[ -n $chosen && $chosen == "$linux_chosen" ]] ||
  fail "the run kept the size '$chosen' in $settings_key, the Linux window '$linux_chosen'"
echo "-- settings: the run kept the size '$chosen' in $settings_key"
passed=$((passed + 1))

# The Alt letters of the form: a label's focuses its buddy (its text selected,
# to be typed over), a check box's toggles it; the same in both windows.
keys=(alt+l type:2.5 alt+d Down alt+n Return)
for side in linux windows; do
  mkdir "$work/alt-$side"
  cp "$root/data/boltgen.ini" "$work/alt-$side/"
done
written() { ls "$1" | grep '\.scr$' || true; }
rm -rf "$XDG_CONFIG_HOME/boltgen"  # the choices the Linux window kept from the run before
drive "$work/alt-linux" "${keys[@]}" -- "$linux_window"
for _ in $(seq 120); do [[ -n $(written "$work/alt-linux") ]] && break; sleep 0.5; done
end_driven "$work/alt-linux"
script=$(written "$work/alt-linux")
[[ $script == *_02500-* && $(wc -l <<<"$script") -eq 1 ]] ||
  fail "the Linux window wrote '$script' for ${keys[*]}, no script of length 2.5"
grep -q '^; ----PART: .*Nut' "$work/alt-linux/$script" || fail "Alt+N did not include the nuts in the Linux window"
drive "$work/alt-windows" "${keys[@]}" -- "$wine" "$out/boltgen-window.exe"
for _ in $(seq 120); do [[ -n $(written "$work/alt-windows") ]] && break; sleep 0.5; done
sleep 1
end_driven "$work/alt-windows"
[[ $(written "$work/alt-windows") == "$script" ]] ||
  fail "the keys ${keys[*]} wrote '$(written "$work/alt-windows")', the Linux window $script"
cmp <(grep -av '^; Date: ' "$work/alt-linux/$script") <(grep -av '^; Date: ' "$work/alt-windows/$script") ||
  fail "the script of ${keys[*]} differs from the Linux window's"
echo "-- keys ${keys[*]}: $script as the Linux window's"
passed=$((passed + 1))

# At 150 % the window is drawn half as large again, not left at its 100 % size.
set_dpi 144
mkdir "$work/scaled"
cp "$root/data/boltgen.ini" "$work/scaled/"
drive "$work/scaled" -- "$wine" "$out/boltgen-window.exe"
eval "$(xdotool getwindowgeometry --shell "$(shown_windows | head -1)")"
end_driven "$work/scaled"
set_dpi 96
scaled="$(((${size%x*} * 144 + 48) / 96))x$(((${size#*x} * 144 + 48) / 96))"
[[ ${WIDTH}x$HEIGHT == "$scaled" ]] || fail "at 144 dpi the window is ${WIDTH}x$HEIGHT pixels, not $scaled"
echo "-- 150 %: the window is $scaled pixels, the form's $size"
passed=$((passed + 1))

# A metric length too short for its pitch: the message, nothing written, and
# the window stays to be corrected.
mkdir "$work/short"
cp "$root/data/boltgen.ini" "$work/short/"
down=()
for _ in $(seq 7); do down+=(Down); done  # from the 8th size, [Inch 3/4], to M6
drive "$work/short" "${down[@]}" Tab Tab type:1 Return -- "$wine" "$out/boltgen-window.exe"
wait_windows 2 || fail "no message box for a too-short length"
xdotool key Return
sleep 2
[[ $(shown_windows | wc -l) -eq 1 ]] || fail "the window did not stay alone after the message"
kill -0 "$driven_pid" 2>/dev/null || fail "the window ended after the message"
[[ $(ls "$work/short" | grep -cv '^out.txt$') -eq 1 ]] || fail "a too-short length wrote: $(ls "$work/short")"
end_driven "$work/short"
echo "-- too short: message shown, nothing written, the window stayed"
passed=$((passed + 1))
"$wineserver" -w
