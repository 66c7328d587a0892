# Sourced by the scripts that run the Windows build: wine without a display or
# a window, and the .NET and HTML runtimes it would offer to download switched
# off. Sets $wine and $wineserver; the caller sets WINEPREFIX.
unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || true)
[[ -n $wine ]] || wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=wine
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
