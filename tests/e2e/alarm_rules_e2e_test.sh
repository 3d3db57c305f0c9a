#!/usr/bin/env bash
# End-to-end: the installed program's alarm rules that a user meets in the first week, one check each: the
# defaults are never "missed", a daily alarm keeps its start-up entry after it rang and rings once a day
# across starts, Done refuses a time already past, and a media file gone before the start rings the tone.
# The clock is faked with faketime, the sound recorded through ALARMCLOCK_AUDIO_SINK.
# Usage: alarm_rules_e2e_test.sh BUILD_DIR
set -euo pipefail

build=$1
work=$(mktemp -d)
prefix=$work/install
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/../support/virtual_desktop.bash"

cleanup() {
    pkill -f "^$prefix/bin/alarmclock$" 2>/dev/null || true
    end_virtual_desktop
    rm -rf "$work"
}
trap cleanup EXIT

reg() { "$prefix/bin/alarmclock-reg" "$@"; }
value_of() { reg query "$1" /v "$2" 2>/dev/null | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'; }
running() { pgrep -f "^$prefix/bin/alarmclock$" > /dev/null; }
not_running() { ! running; }
today=$(date +%Y-%m-%d)
registries=0

fresh_registry() {  # each case in a registry of its own, past the welcome
    registries=$((registries + 1))
    export ALARMCLOCK_PREFIX=$work/registry$registries
    store intro done
}

start_at() {  # start_at hh:mm:ss: the program on today's date at that time
    DONT_FAKE_MONOTONIC=1 faketime -f "@$today $1" "$prefix/bin/alarmclock" > "$work/program.log" 2>&1 &
    wait_for 10 running
}
stop_program() {  # faketime waits for the program it started: the program itself is ended
    pkill -f "^$prefix/bin/alarmclock$" || true
    wait_for 5 not_running
}
store_alarm() {  # store_alarm HOUR MINUTE: armed for today
    store hour "$1"
    store min "$2"
    store year "${today:0:4}"
    store month "$((10#${today:5:2}))"
    store day "$((10#${today:8:2}))"
    store enabled true
}

cmake --install "$build" --prefix "$prefix" > /dev/null
start_virtual_desktop trayer
fresh_registry

# The defaults hold 6:15 with Keep Running; a start at 7:00 arms tomorrow's 6:15 and tells of nothing missed.
store defhour 6
store defmin 15
store defkeeprunning true
start_at 07:00:00
check "the settings window shows" wait_for 10 has_window "$settings_title"
sleep 12  # past the first check, on the clock's next ten seconds
check "a start after the defaults' time tells of no missed alarm" no_window "$box_title"
stop_program
fresh_registry

# A daily alarm with Keep Running rings at 7:30, keeps its start-up entry, and is not rung again by a start
# at 7:33.
store_alarm 7 30
store daily true
store keeprunning true
store runapp "/usr/bin/touch $work/rang"
start_at 07:29:55
check "the daily alarm rings at its minute" wait_for 25 test -e "$work/rang"
check "and keeps its start-up entry" entry_is "\"$prefix/bin/alarmclock\""
stop_program
rm "$work/rang"
start_at 07:33:00
sleep 15
check "a start three minutes later does not ring it again" test ! -e "$work/rang"
stop_program
fresh_registry

# At noon, 7:30 typed for today: Done says the time has passed, and nothing is stored armed.
start_at 12:00:00
check "the unarmed program shows its window" wait_for 10 has_window "$settings_title"
click_in_window 90 103  # the hour field
xdotool type 7
click_in_window 122 103  # the minute field
xdotool type 30
click_in_window 232 196  # &Done
check "Done on a time already past today says so" wait_for 5 has_window "$box_title"
check "and nothing is stored armed" stored_is enabled ""
stop_program
fresh_registry

# The media file is gone before the start: told at the start, and the alarm sounds the tone.
store_alarm 7 30
store sound "$work/gone.wav"
export ALARMCLOCK_AUDIO_SINK="wavenc ! filesink append=true location=$work/recorded.wav"
start_at 07:29:50
check "the missing media file is told at the start" wait_for 10 has_window "$box_title"
xdotool windowfocus "$(window "$box_title")" 2>/dev/null || true
xdotool key Return
check "at the alarm's minute the tone sounds" wait_for 25 test -s "$work/recorded.wav"
stop_program

report
