#!/usr/bin/env bash
# A private desktop for tests, benchmarks and `./build.sh run`: an X server (Xvfb, 1024x768, 96 dpi, no key
# repeat) on a display number that the server picks itself, so two callers never race for one, with the
# notification-area host asked for:
#   --tray trayer      trayer at the top right, 32 pixels square (the default)
#   --tray lxqt-panel  a 32-pixel StatusNotifierItem panel along the top, on the caller's session bus
#   --tray none        no host on the display (a caller that serves the tray over D-Bus itself)
# Once everything is up it prints the display (":N") and holds it until its standard input ends: the
# caller keeps a pipe to it open while it needs the display, and however the caller ends, even killed, the
# pipe closes and the desktop goes with it. It also ends on SIGINT, SIGTERM and SIGHUP.
set -euo pipefail

tray=trayer
while [ $# -gt 0 ]; do
    case $1 in
        --tray) tray=${2:?--tray needs trayer, lxqt-panel or none}; shift 2 ;;
        *) echo "usage: $0 [--tray trayer|lxqt-panel|none]" >&2; exit 2 ;;
    esac
done
case $tray in
    trayer | lxqt-panel | none) ;;
    *) echo "$0: unknown tray host '$tray' (trayer, lxqt-panel or none)" >&2; exit 2 ;;
esac

work=$(mktemp -d /tmp/alarmclock-desktop.XXXXXX)
pids=()  # started in this order, ended in the reverse one
finish() {
    local status=$?
    trap - EXIT
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {  # fail WHAT LOG: the desktop cannot be had; says why, with the log of what failed
    echo "$0: $1" >&2
    [ -s "$2" ] && sed 's/^/  /' "$2" >&2
    exit 1
}

# Xvfb writes the display's number to the descriptor once it accepts clients. No key repeat (-r): on a
# loaded machine xdotool may hold a key longer than the repeat delay between its press and its release, and
# the display would then type the key again.
exec {server}< <(exec Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -dpi 96 -r \
    3>&1 >/dev/null 2>"$work/Xvfb.log" </dev/null)
pids+=($!)
read -r -t 30 number <&"$server" || fail "Xvfb did not start" "$work/Xvfb.log"
exec {server}<&-
export DISPLAY=:$number

shown() { xdotool search --onlyvisible --class "$1" >/dev/null 2>&1; }
# start_host NAME COMMAND...: started again should it end before its window shows (trayer now and then
# fails to open a display that has just started), and waited for until its window shows.
start_host() {
    local name=$1 pid='' until=$((SECONDS + 20))
    shift
    until shown "$name"; do
        [ $SECONDS -lt $until ] || fail "$name did not start on $DISPLAY" "$work/$name.log"
        if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then
            [ -z "$pid" ] || unset 'pids[-1]'  # ended by itself: not to be ended again
            "$@" >"$work/$name.log" 2>&1 </dev/null &
            pid=$!
            pids+=("$pid")
        fi
        sleep 0.05
    done
}

case $tray in
    trayer)
        # Of a fixed width, so that it stays where it is as icons come and go: grown for each new icon, it
        # moved while Wine 10 docked one, and in 1 start of 4 that Wine then sent the icon none of the
        # pointer's input (in none of 30 with the width fixed).
        start_host trayer trayer --edge top --align right --widthtype pixel --width 32 --height 32
        ;;
    lxqt-panel)
        : "${DBUS_SESSION_BUS_ADDRESS:?lxqt-panel needs a session bus (DBUS_SESSION_BUS_ADDRESS)}"
        mkdir -p "$work/config/lxqt"
        cat >"$work/config/lxqt/panel.conf" <<'CONF'
[General]
__userfile__=true

[panel1]
plugins=statusnotifier
position=Top
panelSize=32
iconSize=22
hidable=false

[statusnotifier]
type=statusnotifier
CONF
        start_host lxqt-panel env XDG_CONFIG_HOME="$work/config" lxqt-panel
        ;;
esac

echo "$DISPLAY"
exec >/dev/null  # the caller reads the display to the end of its pipe
# An explicit standard input: a command run in the background would otherwise read /dev/null.
cat <&0 >/dev/null &
pids+=($!)
wait $!
