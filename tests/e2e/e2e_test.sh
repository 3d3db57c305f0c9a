#!/usr/bin/env bash
# End-to-end: the installed program on a virtual display with a real notification area, driven by
# xdotool, its clock faked (libfaketime), its registry read with alarmclock-reg.
# Usage: e2e_test.sh BUILD_DIR
set -euo pipefail

build=$1
work=$(mktemp -d)
prefix=$work/install
export ALARMCLOCK_PREFIX=$work/registry
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/../support/virtual_desktop.bash"

cleanup() {
    # By the programs' path, never by a process number kept from their start: by now that number may be
    # another process's, even another test's (process numbers here go round at 32768).
    pkill -f "$prefix/bin/alarmclock" 2>/dev/null || true
    end_faked_clock || true
    end_virtual_desktop
    rm -rf "$work"
}
trap cleanup EXIT

reg() { "$prefix/bin/alarmclock-reg" "$@"; }
value_of() { reg query "$1" /v "$2" 2>/dev/null | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'; }
machine_run_once_entry() { value_of 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' alarmclock; }
not_running() { ! running; }
# Answers the alarm's or the welcome's box with Return, given the focus first (there is no window manager).
answer_box() {
    local id
    id=$(window "$box_title")
    [ -n "$id" ] && xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key Return
}
running() { pgrep -f "^$prefix/bin/alarmclock$" > /dev/null; }

start_program() {  # start_program [faked clock's time, as "@YYYY-MM-DD hh:mm:ss"]
    if [ $# -gt 0 ]; then
        faked_clock "$1" "$prefix/bin/alarmclock" > "$work/program.log" 2>&1 &
    else
        "$prefix/bin/alarmclock" > "$work/program.log" 2>&1 &
    fi
    wait_for 10 running
}

stop_program() {
    pkill -f "^$prefix/bin/alarmclock$" || true
    wait_for 5 not_running
}


cmake --install "$build" --prefix "$prefix" > /dev/null
start_virtual_desktop trayer
start_faked_clock

# First start: the window and the welcome box, the marker stored before it shows.
# At six in the morning of the real day, so that the alarm typed below (7:30 today) is still to come: later
# in the day its first check would find it missed and say so in a box, which takes the keys meant for the
# window.
today=$(date +%Y-%m-%d)
start_program "@$today 06:00:00"
check "the first start greets with the welcome box" wait_for 10 has_window "$box_title"
check "the marker is stored before the box closes" stored_is intro done
answer_box
check "the settings window shows" wait_for 5 has_window "$settings_title"

# Arming by typing an hour and a minute.
click_in_window 90 103  # the hour field
xdotool type 7
click_in_window 122 103  # the minute field
xdotool type 30
check "typing the minute arms and stores the alarm" wait_for 5 stored_is enabled true
check "the hour is stored as typed" stored_is hour 7
check "the first character of the minute armed and saved; the second saved nothing" stored_is min 3
stop_program

# The alarm firing at its minute, with the stored message, media and application.
make_wav "$work/bell.wav"
store hour 7
store min 30
store message "Time to get up"
store sound "$work/bell.wav"
store runapp "/usr/bin/touch $work/launched"
store keeprunning true
store year "${today:0:4}"
store month "$((10#${today:5:2}))"
store day "$((10#${today:8:2}))"
# Appended: after each playback the player opens the file again, which would start the recording anew.
export ALARMCLOCK_AUDIO_SINK="wavenc ! filesink append=true location=$work/recorded.wav"
start_program "@$today 07:29:52"
sleep 2
check "an armed start keeps the window hidden" no_window "$settings_title"
check "Keep Running writes the program's path, quoted, under the user's Run key" entry_is "\"$prefix/bin/alarmclock\""
check "the alarm's message box shows at its minute" wait_for 25 has_window "$box_title"
check "the firing cleared the start-up entry" entry_is ""
check "the media was played" wait_for 10 test -s "$work/recorded.wav"
check "the application waits for the box" test ! -e "$work/launched"
check "the tray icon flashes" wait_for 10 flashing
click_tray_icon
check "a click on the icon stops the flashing" wait_for 10 not_flashing
answer_box
check "closing the box launches the application" wait_for 5 test -e "$work/launched"
check "a one-time alarm is no longer stored after it fired" stored_is enabled ""

# Keep Running after a firing: the user arms the next alarm (09:00 on the faked day) and presses Done.
click_tray_icon --repeat 2 --delay 100 1
check "a double click on the icon shows the settings" wait_for 5 has_window "$settings_title"
click_in_window 90 103  # the hour field
xdotool key ctrl+a type 9
click_in_window 122 103  # the minute field
xdotool key ctrl+a type 00
click_in_window 232 196  # &Done
check "Done stores the new alarm" wait_for 5 stored_is enabled true
check "at the time typed" stored_is hour 9
check "and writes the start-up entry again" entry_is "\"$prefix/bin/alarmclock\""
check "Done hides the window" wait_for 5 no_window "$settings_title"
stop_program
unset ALARMCLOCK_AUDIO_SINK

# Across a reboot: the login helper starts the program, still on the faked day, armed and hidden. An
# earlier version's entry beside the program's own starts it once.
reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v alarmclock /d "$prefix/bin/alarmclock" /f > /dev/null
check "the login helper starts every command" faked_clock "@$today 07:35:00" "$prefix/bin/alarmclock-runonce"
check "the program runs again" wait_for 10 running
sleep 2
check "with the alarm armed and the window hidden" no_window "$settings_title"
check "and Keep Running wrote the entry again" wait_for 5 entry_is "\"$prefix/bin/alarmclock\""
check "the alarm is the one set before the reboot" stored_is min 00

# A second start brings the running program's window up instead of arming twice.
# Bounded: were the program not running, this start would be the one that runs.
check "a second start gives way at once" timeout 30 "$prefix/bin/alarmclock"
check "a second start shows the running window" wait_for 5 has_window "$settings_title"
check "one program runs" test "$(pgrep -fc "^$prefix/bin/alarmclock$")" = 1

# Exit Program clears the stored alarm and ends the program; an entry an earlier version left goes too.
reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v alarmclock /d "$prefix/bin/alarmclock" /f > /dev/null
click_in_window 320 196  # E&xit Program
check "Exit Program ends the program" wait_for 5 not_running
check "and clears the stored alarm" stored_is enabled ""
check "and the start-up entry" entry_is ""
check "and the earlier version's entry" test -z "$(machine_run_once_entry)"

report
