#!/usr/bin/env bash
# The Debian package as a user installs it: apt brings what it depends on and recommends, the wake-up helper
# gets its capability, the installed program starts with its window and its tray icon, removing the package
# leaves only its conffile, and purging it leaves nothing.
# Usage, as root on a system it may install on and remove from: deb_install_test.sh PACKAGE.deb
set -euo pipefail

deb=$(realpath "$1")
here=$(dirname "$0")
work=$(mktemp -d)
source "$here/e2e_helpers.sh"
source "$here/../support/virtual_desktop.bash"
program=

cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    end_virtual_desktop
    rm -rf "$work"
}
trap cleanup EXIT

conffile=/etc/xdg/autostart/alarmclock-runonce.desktop
status_is() { [ "$(dpkg-query -W -f='${Status}' alarmclock 2>/dev/null || true)" = "$1" ]; }
# The package's own files, not its folders (which other packages share).
files_of_package() { dpkg -L alarmclock | while read -r path; do [ -d "$path" ] || echo "$path"; done; }
none_left_but() {  # none_left_but [PATH]: no file of the package is there, but PATH
    local path
    while read -r path; do
        [ "$path" = "${1:-}" ] || [ ! -e "$path" ] || { echo "left: $path"; return 1; }
    done < "$work/files"
}
has_capability() { /sbin/getcap /usr/bin/alarmclock-wake | grep -q cap_wake_alarm; }
has_metric_twin() { [ -n "$(find /usr/share/fonts -name LiberationSans-Regular.ttf)" ]; }
icon_shows() { tray_pixels "$work/tray.png" && differs "$work/empty-tray.png" "$work/tray.png"; }

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
check "apt installs the package with what it needs" status_is "install ok installed"
files_of_package > "$work/files"
check "the package holds its autostart entry as a conffile" grep -qx "$conffile" "$work/files"
check "the wake-up helper has cap_wake_alarm" has_capability
check "the recommended metric twin of the layout's face comes with it" has_metric_twin

# A first start of the installed program, on a desktop with a notification area, for a user of its own.
export XDG_CONFIG_HOME=$work/config
start_virtual_desktop trayer
tray_pixels "$work/empty-tray.png"
/usr/bin/alarmclock > "$work/program.log" 2>&1 &
program=$!
check "the installed program shows its settings window" wait_for 20 has_window "$settings_title"
check "and the welcome box" wait_for 10 has_window "$box_title"
check "its icon is in the notification area" wait_for 10 icon_shows
kill "$program"
wait "$program" 2>/dev/null || true
program=

dpkg -r alarmclock > /dev/null
check "removing it leaves its conffile" status_is "deinstall ok config-files"
check "and nothing else of it" none_left_but "$conffile"
check "the conffile is still there" test -f "$conffile"
dpkg -P alarmclock > /dev/null
check "purging it leaves no trace in dpkg" status_is ""
check "nor any of its files" none_left_but

report
