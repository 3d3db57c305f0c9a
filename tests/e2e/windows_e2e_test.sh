#!/usr/bin/env bash
# End-to-end: the Windows program under Wine, on the virtual display with trayer that wine_session.sh
# prepares, driven by xdotool, its clock faked (libfaketime), its registry read with Wine's own reg.
# Usage (inside tests/platform/win32/wine_session.sh): windows_e2e_test.sh PORTABLE.zip MESSAGE_BOX_TEXT.exe
# (the portable zip of the program; the reader of a box's text on the screen)
set -euo pipefail
: "${WINEPREFIX:?run inside tests/platform/win32/wine_session.sh}"

work=$(mktemp -d)
source "$(dirname "$0")/e2e_helpers.sh"
wine=${WINE64:-/usr/lib/wine/wine64}
zip=$1 message_box_text=$2
# The program as the portable zip's user has it, unpacked into a folder of the test's own, so that the
# processes found by their command line are this test's.
mkdir "$work/program"
(cd "$work/program" && cmake -E tar xf "$zip")
program=$work/program/alarmclock.exe
windows_path() { echo "Z:${1//\//\\}"; }

cleanup() {
    pkill -f "^$program$" 2>/dev/null || true
    end_faked_clock || true
    rm -rf "$work"
}
trap cleanup EXIT
# After a failed check: the windows on the screen, the text of the program's box, and where each of the
# program's threads is (Wine's debugger), so that a failure in CI tells whether the program waited or hung.
on_failure() {
    local window debugger_id
    echo "  tray clicks go to $tray_icon_x,$tray_icon_y; windows shown:"
    for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        echo "    $(xdotool getwindowgeometry "$window" | sed -n 's/^ *Position: \([^ ]*\).*/\1/p')" \
            "$(xdotool getwindowname "$window")"
    done
    echo "  the box says: $("$wine" "$message_box_text" "Zelvo's Alarm Clock" 2>/dev/null < /dev/null || true)"
    debugger_id=$("$wine" winedbg --command "info proc" 2>/dev/null < /dev/null | tr -d '\r' |
        awk '/alarmclock.exe/ { print $1; exit }') || true
    [ -n "$debugger_id" ] || return 0
    timeout 60 "$wine" winedbg --command "bt all" "0x$debugger_id" 2>&1 < /dev/null | tr -d '\r' |
        awk '/^Backtracing for thread/ { shown = /alarmclock.exe/ } shown' | cut -c1-200 | head -100 || true
}
start_faked_clock

# Windows programs end their lines with "\r\n".
reg() { "$wine" reg "$@" 2>/dev/null | tr -d '\r'; }
# A value's text: "    name    REG_SZ    text" in reg's answer.
value_of() { reg query "$1" /v "$2" | sed -n "s/^    $2    REG_SZ    //p"; }
remove_entry() { reg delete "$startup_entry_key" /v alarmclock /f > /dev/null || true; }

running() { pgrep -f "^$program$" > /dev/null; }
not_running() { ! running; }
start_program() {  # start_program [faked clock's time, as "@YYYY-MM-DD hh:mm:ss"]
    if [ $# -gt 0 ]; then
        faked_clock "$1" "$wine" "$program" > /dev/null 2>&1 &
    else
        "$wine" "$program" > /dev/null 2>&1 &
    fi
    # Well under a second as a rule; the bound only limits how long a failure waits on a busy machine.
    wait_for 30 running
}
stop_program() {
    pkill -f "^$program$" || true
    wait_for 10 not_running
}

# Without a window manager a window takes the keyboard only when clicked: a click on a point given in
# the window's own coordinates (its frame included) that holds no control. The keys typed next go where X's
# focus is, so the click waits until Wine has put it on the window, which a busy machine delays.
click_window() {  # click_window TITLE X Y
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$(window "$1")")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
    wait_for 5 focused_on "$WINDOW" || true
}
focused_on() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ]; }
# The settings window's keys, its access keys included: its big title holds no control.
settings_keys() {
    click_window "$settings_title" 60 50
    xdotool key "$@"
}
# Answers the welcome's or the alarm's box with Return, once its left margin was clicked.
answer_box() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$(window "$box_title")")"
    click_window "$box_title" 8 $((HEIGHT / 2))
    xdotool key Return
}

# The tray menu's last item, "Exit Program". The menu opens under the pointer, which the right click leaves
# on the icon: the window under the pointer is then the menu's.
window_under_pointer() { xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'; }
exit_from_tray_menu() {
    local X Y WIDTH HEIGHT SCREEN WINDOW icon
    tray_icon_point
    icon=$(window_under_pointer)
    xdotool sleep 0.5 click 3  # the pointer at rest on the icon first, as click_tray_icon does
    # The menu, of two items: not the icon, nor the icon's one-line tip, which may come up under the pointer.
    menu_open() {
        local window
        window=$(window_under_pointer)
        [ -n "$window" ] && [ "$window" != "$icon" ] || return 1
        eval "$(xdotool getwindowgeometry --shell "$window")"
        [ "$HEIGHT" -gt 30 ]
    }
    wait_for 5 menu_open || return 1
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 3 / 4)) click 1
}
# Keep Running after a firing, across a new session: the user arms the next alarm (09:00 on the faked day)
# and presses Done; the session ends, and the program with it; the next session starts the user's Run
# command as the shell would, and the program is back, armed with its window hidden. Ends with a new
# session, no program running and no start-up entry.
keep_running_across_a_new_session() {
    local today=$1 entry
    click_tray_icon --repeat 2 --delay 100 1
    check "a double click on the icon shows the settings" wait_for 5 has_window "$settings_title"
    settings_keys alt+a  # the hour field
    xdotool key Home shift+End type 9
    xdotool key Tab  # the minute field, its text selected
    xdotool type 00
    settings_keys alt+d
    check "Done stores the new alarm" wait_for 5 stored_is enabled true
    check "at the time typed" stored_is hour 9
    check "and writes the start-up entry again" entry_is "\"$(windows_path "$program")\""
    check "Done hides the window" wait_for 5 no_window "$settings_title"
    entry=$(value_of "$startup_entry_key" alarmclock)
    new_session
    check "the session's end ended the program" not_running
    tray_pixels "$work/empty_tray.png"
    # The command line as it is, through a batch file: Wine would quote it again as an argument.
    printf '%s\r\n' "$entry" > "$work/session_start.bat"
    faked_clock "@$today 07:35:00" "$wine" cmd /c "$(windows_path "$work/session_start.bat")" \
        > /dev/null 2>&1 < /dev/null &
    check "the session's start runs the program again" wait_for 15 started_from_the_entry
    check "its icon comes into the notification area" wait_for 15 tray_icon_shown
    check "with the alarm armed and the window hidden" no_window "$settings_title"
    check "the alarm is the one set before" stored_is min 00
    check "and Keep Running wrote the entry again" entry_is "\"$(windows_path "$program")\""
    new_session
    remove_entry  # as the firing left it, so that a later check sees the entry written anew
}
# Ends every Windows process of the session and starts a new one, as wine_session.sh does: the server and
# Wine's services, which outlive the test, hold none of its output.
new_session() {
    local wineserver=/usr/lib/wine/wineserver
    "$wineserver" -k
    "$wineserver" -p > /dev/null 2>&1 < /dev/null
    "$wine" cmd /c exit > /dev/null 2>&1 < /dev/null
}
tray_icon_shown() {
    tray_pixels "$work/tray_now.png"
    differs "$work/empty_tray.png" "$work/tray_now.png"
}
# Started by its Windows path, the program's command line is that path.
started_from_the_entry() { ps -eo args= | grep -Fxq "$(windows_path "$program")"; }

check "the portable zip holds the program and its README" \
    test "$(cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "README.txt alarmclock.exe "

# First start: the welcome box, naming the README that the zip put beside the program, the marker stored
# before it shows, then the settings window.
reg delete "$settings_key" /f > /dev/null || true
remove_entry
# At six in the morning of the real day, so that the alarm typed below (7:30 today) is still to come: later
# in the day its first check would find it missed and say so in a box, which takes the keys meant for the
# window.
today=$(date +%Y-%m-%d)
start_program "@$today 06:00:00"
check "the first start greets with the welcome box" wait_for 15 has_window "$box_title"
welcome=$("$wine" "$message_box_text" "Zelvo's Alarm Clock" 2>/dev/null </dev/null | tr '\r' '\n') || true
readme_windows=$(sed -n 's/^More about it in //p' <<<"$welcome")
check "the welcome names the README in the program's folder ($readme_windows)" \
    test "$readme_windows" = "$(windows_path "$work/program")\\README.txt"
check "the README is there" test -f "$work/program/README.txt"
check "the marker is stored before the box closes" stored_is intro done
answer_box
check "the welcome box closes" wait_for 5 no_window "$box_title"
check "the settings window shows" wait_for 5 has_window "$settings_title"
check "the icon shows in the notification area" wait_for 30 aim_at_tray_icon

# Arming by typing an hour and a minute into the fields that the access key and Tab lead to.
settings_keys alt+a
xdotool type 7
xdotool key Tab
xdotool type 30
check "typing the minute arms and stores the alarm" wait_for 5 stored_is enabled true
check "the hour is stored as typed" stored_is hour 7
check "the first character of the minute armed and saved; the second saved nothing" stored_is min 3
check "nothing writes a start-up entry before Keep Running is ticked" entry_is ""
settings_keys alt+k
check "ticking Keep Running writes the program's path as the start-up entry" \
    wait_for 5 entry_is "\"$(windows_path "$program")\""
# Done with no notification ticked asks first. "Exit Program" from the tray menu meanwhile clears the
# settings and ends the question as unanswered, so that nothing is stored again, and the program ends.
settings_keys alt+d
check "Done without a notification asks first" wait_for 5 has_window '^Zelvo.s Alarm - Option verification$'
exit_from_tray_menu
check "Exit Program from the tray menu ends the program, its question and all" wait_for 10 not_running
check "nothing stored the alarm again" stored_is enabled ""
check "nor its time" stored_is hour ""
check "nor the start-up entry" entry_is ""
stop_program

# The alarm firing at its minute, with the stored message, media and application.
make_wav "$work/bell.wav"
# The launched program: a batch file that writes the file its parameter names.
printf '@echo off\r\necho launched> %%1\r\n' > "$work/mark.bat"
# The alarm at 07:30 today, with its message and the application that it starts.
store_alarm() {
    store hour 7
    store min 30
    store enabled true
    store message "Time to get up"
    store runapp "$(windows_path "$work/mark.bat") $(windows_path "$work/launched")"
    store year "${today:0:4}"
    store month "$((10#${today:5:2}))"
    store day "$((10#${today:8:2}))"
}
store_alarm
store sound "$(windows_path "$work/bell.wav")"
store keeprunning true
remove_entry  # the tick above wrote it
# The program's sound goes to a file through ALSA's file plugin, over the null device.
mkdir -p "$work/config/alsa"
cat > "$work/config/alsa/asoundrc" <<EOF
pcm.!default { type file; slave.pcm "null"; file "$work/played.raw"; format "raw" }
EOF
XDG_CONFIG_HOME=$work/config start_program "@$today 07:29:52"
sleep 2
check "an armed start keeps the window hidden" no_window "$settings_title"
check "Keep Running writes the start-up entry at the start" wait_for 5 entry_is "\"$(windows_path "$program")\""
check "the alarm's message box shows at its minute" wait_for 25 has_window "$box_title"
check "the firing cleared the start-up entry" entry_is ""
check "the media was played through MCI" wait_for 10 test -s "$work/played.raw"
check "the application waits for the box" test ! -e "$work/launched"
check "the tray icon flashes" wait_for 10 flashing
click_tray_icon
sleep 1.5
check "a click on the icon stops the flashing" not_flashing
check "the box stays until it is answered" has_window "$box_title"
answer_box
check "the answered box closes" wait_for 10 no_window "$box_title"
# A new Wine process (cmd.exe for the batch file) takes seconds to start on a loaded machine.
check "closing the box launches the application with its parameter" wait_for 30 test -e "$work/launched"
check "a one-time alarm is no longer stored after it fired" stored_is enabled ""
stop_program

# With "Exit when done" the click on the flashing icon ends the alarm's box too: the application starts, as
# after the box, and the program ends.
rm -f "$work/launched"
store_alarm
store closeafter true
XDG_CONFIG_HOME=$work/config start_program "@$today 07:29:52"
check "the alarm's message box shows again" wait_for 25 has_window "$box_title"
click_tray_icon
check "with Exit when done a click on the icon ends the program, its box and all" wait_for 10 not_running
check "the box's end launches the application" wait_for 30 test -e "$work/launched"
stop_program

# A second start brings the running program's window up instead of arming twice. Disarming cleared the
# stored alarm, Keep Running's box with it.
store enabled true
store hour 6
store min 0
# Tomorrow's: one of today that has passed would be reported missed at the first check.
tomorrow=$(date -d tomorrow +%Y-%m-%d)
store year "${tomorrow:0:4}"
store month "$((10#${tomorrow:5:2}))"
store day "$((10#${tomorrow:8:2}))"
store keeprunning true
start_program
check "an armed start with Keep Running writes the entry" wait_for 5 entry_is "\"$(windows_path "$program")\""
check "a second start gives way at once" timeout 20 "$wine" "$program"
check "a second start shows the running window" wait_for 5 has_window "$settings_title"
check "one program runs" test "$(pgrep -fc "^$program$")" = 1
# A command, answered by the running program and printed through a pipe; its exit status is the answer's.
command_says() {  # command_says STATUS TEXT OPTION
    local said status=0
    said=$("$wine" "$program" "$3" 2>&1 < /dev/null | tr -d '\r'; exit "${PIPESTATUS[0]}") || status=$?
    [ "$status" = "$1" ] && [ "$said" = "$2" ] || { echo "$3: status $status, said: $said"; return 1; }
}
check "--status prints when the alarm rings next" command_says 0 "Alarm set: next rings at $tomorrow 06:00" --status
check "--stop without a ringing alarm says so and fails" command_says 1 "alarmclock: the alarm is not ringing" --stop

# Exit Program clears the stored alarm and the start-up entry and ends the program.
settings_keys alt+x
check "Exit Program ends the program" wait_for 10 not_running
check "and clears the stored alarm" stored_is enabled ""
check "and the start-up entry" entry_is ""
check "a command without a running program says so and fails" \
    command_says 1 "alarmclock: the alarm clock is not running" --status

# Last, since it ends the session and starts a new one: after a firing with Keep Running the user arms the
# next alarm, and a new session brings it back.
store_alarm
store keeprunning true
start_program "@$today 07:29:52"
check "the alarm's message box shows once more" wait_for 25 has_window "$box_title"
answer_box
check "the firing cleared the start-up entry once more" wait_for 5 entry_is ""
keep_running_across_a_new_session "$today"

report
