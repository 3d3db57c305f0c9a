#!/usr/bin/env bash
# A Windows desktop for the Windows tests: a fresh 64-bit Wine prefix on a private Xvfb display with trayer
# as the notification area, and a null ALSA device for sound. Runs the given command in it, then removes it
# all again:  wine_session.sh ctest --test-dir build-windows-tests
set -euo pipefail

export WINE64=${WINE64:-/usr/lib/wine/wine64}
wineserver=/usr/lib/wine/wineserver
session=$(mktemp -d /tmp/alarmclock-wine.XXXXXX)
export WINEARCH=win64 WINEPREFIX=$session/prefix WINEDEBUG=-all
# No prompts to install Mono or Gecko, nothing written into the Linux desktop's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_CONFIG_HOME=$session/config
mkdir -p "$XDG_CONFIG_HOME/alsa"
echo 'pcm.!default { type null }' > "$XDG_CONFIG_HOME/alsa/asoundrc"

pids=()
finish() {
    "$wineserver" -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$session"
}
trap finish EXIT

# A display number that no other X server holds.
for number in $(seq 80 199); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
export DISPLAY=:$number
# No auto-repeat (-r): on a loaded machine xdotool may hold a key longer than the repeat delay between
# its press and its release, and the display would then type the key again.
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -r >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$number" ] && break
    sleep 0.05
done

"$WINE64" wineboot --init >/dev/null 2>&1
"$wineserver" -w
# Unmanaged windows: without a window manager, hiding or destroying a managed window stalls for seconds.
"$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# No prefix update in the middle of a test when a faked clock or a touched file makes it look stale.
echo disable > "$WINEPREFIX/.update-timestamp"
"$wineserver" -w

# A persistent server and Wine's own services, started with their output on /dev/null: otherwise the
# first test program starts them, hands them its output, and whoever reads that output waits forever.
"$wineserver" -p
"$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null

trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
pids+=($!)

"$@"
