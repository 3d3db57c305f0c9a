# Shared by the end-to-end tests of the Linux and the Windows program: counted checks, waits, the stored
# settings, the screen's windows, the notification area's pixels and a sound file. Expects DISPLAY (a
# 1024-pixel-wide screen with trayer at its top right), $work, the test's own folder, and the test's own
# `reg` (its program's registry tool, taking reg's arguments) and `value_of KEY NAME` (a value's text).

settings_title="Zelvo's Alarm Clock v1.25"
box_title='^Zelvo.s Alarm Clock$'  # the welcome's and the alarm's message boxes
settings_key='HKCU\Software\Vyk\AlarmClock'
# Keep Running's start-up entry: every check of it goes through this key.
startup_entry_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
passed=0
failed=0

check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
        if declare -F on_failure > /dev/null; then on_failure; fi  # what the test can tell of the screen
    fi
}

# The test's verdict: its exit status.
report() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

store() { reg add "$settings_key" /v "$1" /d "$2" /f > /dev/null; }  # store NAME TEXT
stored_is() { [ "$(value_of "$settings_key" "$1")" = "$2" ]; }
entry_is() { [ "$(value_of "$startup_entry_key" alarmclock)" = "$1" ]; }

wait_for() {  # wait_for SECONDS COMMAND...: true once the command succeeds
    local until=$((SECONDS + $1))
    shift
    while ! "$@" 2>/dev/null; do
        [ $SECONDS -ge $until ] && return 1
        sleep 0.2
    done
}

window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(window "$1")" ]; }
no_window() { ! has_window "$1"; }
# Clicks a point of the settings window, given in its own client coordinates.
click_in_window() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$(window "$settings_title")")"
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
    sleep 0.3
}

# The program's icon is the only one in the notification area, at the screen's top right.
tray_pixels() { import -window root -crop 32x32+$((1024 - 32))+0 "$1"; }
# A click on it aims where X delivers the pointer to the icon, found anew each time (tray_icon_aim.py tells
# why), with the pointer at rest there first, as a hand does: Wine 10 takes a click on its icon only once it
# has seen the pointer arrive.
tray_icon_x=
tray_icon_y=
aim_at_tray_icon() {
    read -r tray_icon_x tray_icon_y < <(python3 "$(dirname "${BASH_SOURCE[0]}")/tray_icon_aim.py")
}
tray_icon_point() {  # [more xdotool commands]
    wait_for 10 aim_at_tray_icon || return 1
    xdotool mousemove "$tray_icon_x" "$tray_icon_y" "$@"
}
click_tray_icon() { tray_icon_point sleep 0.5 click "${@:-1}"; }  # click_tray_icon [xdotool click's arguments]
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != 0 ]; }
# Two screenshots a second apart may catch the same phase; among four, half a second apart, the icon changes.
flashing() {
    tray_pixels "$work/tray0.png"
    for i in 1 2 3; do
        sleep 0.5
        tray_pixels "$work/tray$i.png"
        differs "$work/tray0.png" "$work/tray$i.png" && return 0
    done
    return 1
}
not_flashing() { ! flashing; }

# A faked clock for the programs a test starts (libfaketime): faked_clock "@YYYY-MM-DD hh:mm:ss" COMMAND...
# runs COMMAND, and every program it starts, with the clock at that time when each starts. The processes under
# the faked clock share a state that lives only as long as the process that made it (faketime, which removes
# it when its command ends); start_faked_clock makes it for a command of the test's own that runs until
# end_faked_clock, so that a program started by one that ends first (the login helper's) still finds it.
faked_clock_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1 || true)
faked_clock_maker=
faked_clock_command=
start_faked_clock() {
    local named=$work/faked_clock_state
    faketime -f +0 sh -c 'echo "$$ $FAKETIME_SHARED" > "$1.part" && mv "$1.part" "$1"; while :; do sleep 1; done' \
        faked_clock "$named" > /dev/null 2>&1 &
    faked_clock_maker=$!
    wait_for 30 test -s "$named"
    read -r faked_clock_command FAKETIME_SHARED < "$named"
    export FAKETIME_SHARED
}
end_faked_clock() {
    [ -n "$faked_clock_maker" ] || return 0
    # Only while it is still faketime's command: a process number that ended may be another's by now.
    [ "$(ps -o ppid= -p "$faked_clock_command" 2>/dev/null | tr -d ' ')" = "$faked_clock_maker" ] &&
        kill "$faked_clock_command" 2>/dev/null
    wait "$faked_clock_maker" 2>/dev/null || true  # faketime ends with its command's signal
    faked_clock_maker=
}
faked_clock() { LD_PRELOAD=$faked_clock_library FAKETIME=$1 "${@:2}"; }

make_wav() {  # make_wav FILE: one second of a tone
    python3 - "$1" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(22050)
    w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(i / 10))) for i in range(22050)))
PY
}
