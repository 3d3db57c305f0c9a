#!/usr/bin/env bash
# A Windows desktop for the Windows tests: a fresh 64-bit Wine prefix on a private display with trayer as
# the notification area (virtual_desktop.sh), and a null ALSA device for sound. Runs the given command in
# it, then removes it all again:  wine_session.sh ctest --test-dir build-windows-tests
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

source "$(dirname "$0")/../../support/virtual_desktop.bash"
finish() {
    "$wineserver" -k 2>/dev/null || true
    end_virtual_desktop
    rm -rf "$session"
}
trap finish EXIT
# The steps below keep Wine's chatter off the output; one that fails says which it was.
trap 'echo "wine_session.sh: \"$BASH_COMMAND\" failed with status $?" >&2' ERR

# The display first: Wine's processes stay on the one they started on.
start_virtual_desktop trayer

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

trap - ERR
"$@"
