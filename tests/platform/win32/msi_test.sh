#!/usr/bin/env bash
# The Windows installer in a fresh prefix: a silent install puts the program, its README, its Start menu
# shortcut and its entry in the list of installed programs in place, the installed program starts and names
# its README where it is, and a silent uninstall, while the program runs, ends it and removes all of that and
# the program's start-up entries while the user's settings stay.
#   msi_test.sh INSTALLER.msi PROGRAM.exe ICON.ico VERSION README.txt MESSAGE_BOX_TEXT.exe
# PROGRAM.exe, ICON.ico and README.txt are what the installer was built from; MESSAGE_BOX_TEXT.exe reads the
# text of a box on the screen. Runs in a Wine session of its own (wine_session.sh), never in a shared one:
# "nothing left" means nothing of anyone's.
set -uo pipefail
msi=$1 built_program=$2 built_icon=$3 version=$4 built_readme=$5 message_box_text=$6
: "${WINEPREFIX:?run inside wine_session.sh}"
wine=${WINE64:-/usr/lib/wine/wine64}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
# check DESCRIPTION COMMAND...: one check, passed when the command succeeds.
check() {
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# Wine's programs end their lines with "\r\n" and keep talking on stderr about things that do not matter here.
win() { "$wine" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
unix_path() { win winepath -u "$1"; }
# The data of one registry value, or nothing (and failure) when the value or its key is missing.
reg_value() {
    win reg query "$1" /v "$2" | awk -v name="$2" '
        { line = $0; sub(/^    /, "", line) }
        index(line, name "    REG_") == 1 { sub(/^[^ ]+    REG_[A-Z_]+    /, "", line); print line; found = 1 }
        END { exit !found }'
}
has_key() { win reg query "$1" >/dev/null; }
# Polls for up to 20 s: the program starts in its own time.
eventually() {
    for _ in $(seq 200); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

product_code=$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')
[[ $product_code =~ ^\{[0-9A-F-]{36}\}$ ]] || { echo "FAIL: no product code in $msi"; exit 1; }
msi_windows="Z:${msi//\//\\}"
local_app_data=$(win cmd /c echo %LOCALAPPDATA%)
app_data=$(win cmd /c echo %APPDATA%)
install_dir_windows="$local_app_data\\Programs\\Alarm Clock"
program_windows="$install_dir_windows\\alarmclock.exe"
program=$(unix_path "$program_windows")
install_dir=$(dirname "$program")
shortcut=$(unix_path "$app_data\\Microsoft\\Windows\\Start Menu\\Programs")/"Zelvo's Alarm Clock.lnk"
settings='HKCU\Software\Vyk\AlarmClock'
run='Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key() { echo "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"; }
# Windows lists a per-user product under the user's key, Wine under the machine's.
installed_entry() {
    local root
    for root in HKCU HKLM; do
        has_key "$(uninstall_key "$root")" && { uninstall_key "$root"; return 0; }
    done
    return 1
}

check "the prefix is fresh: no program before the install" test ! -e "$program"

win msiexec /i "$msi_windows" /qn /l*v 'C:\install.log'
status=$?
check "msiexec /i /qn exits 0 (exit $status)" test "$status" -eq 0
[ "$status" -eq 0 ] || tr -d '\r' < "$WINEPREFIX/drive_c/install.log" | tail -40

check "the program is installed under the user's programs folder" cmp -s "$program" "$built_program"
# Its version resource holds the version in wide characters, and its manifest in narrow ones.
check "the program's version resource has version $version" grep -qxF "$version" <(strings -a -el "$program")
check "the program's manifest has version $version" \
    grep -qF "name=\"AlarmClock\" version=\"$version.0.0\"" <(strings -a "$program")
check "the Start menu shortcut is in the user's Programs folder" test -f "$shortcut"
# A shell link keeps its target and its icon's path as text, in narrow or wide characters.
shortcut_paths=$( { strings -a "$shortcut"; strings -a -el "$shortcut"; } 2>/dev/null | grep -oE '[A-Z]:\\.*')
check "the shortcut starts the installed program" grep -qxF "$program_windows" <<<"$shortcut_paths"
icon_windows=$(grep -m1 -i '\\Installer\\.*AlarmClockIcon$' <<<"$shortcut_paths")
check "the shortcut shows the bell icon" cmp -s "$(unix_path "${icon_windows:-none}")" "$built_icon"

entry=$(installed_entry)
check "the uninstall entry for $product_code is there" test -n "$entry"
check "the entry names the program" test "$(reg_value "$entry" DisplayName)" = "Zelvo's Alarm Clock"
check "the entry has version $version" test "$(reg_value "$entry" DisplayVersion)" = "$version"
check "the entry has the publisher" test "$(reg_value "$entry" Publisher)" = "Zelvo"
check "the entry has the program's folder" test "$(reg_value "$entry" InstallLocation)" = "$install_dir_windows\\"
check "the entry uninstalls this product" grep -qiF "/X$product_code" <<<"$(reg_value "$entry" UninstallString)"

# The first start greets the user once and records that it did.
check "the program has not greeted anyone yet" test -z "$(reg_value "$settings" intro)"
(cd "$install_dir" && exec "$wine" "$program" >/dev/null 2>&1 </dev/null) &
started=$!
greeted() { [ "$(reg_value "$settings" intro)" = done ]; }
check "the installed program starts and greets the user" eventually greeted
on_screen() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
check "its welcome box is on the screen" eventually on_screen "^Zelvo's Alarm Clock\$"
# Its last line names the README, which must be where it says: beside the installed program.
welcome=$("$wine" "$message_box_text" "Zelvo's Alarm Clock" 2>/dev/null </dev/null | tr '\r' '\n')
readme_windows=$(sed -n 's/^More about it in //p' <<<"$welcome")
check "the welcome names the README beside the program ($readme_windows)" \
    test "$readme_windows" = "$install_dir_windows\\README.txt"
readme=$(unix_path "${readme_windows:-none}")
check "the README it names is there, as built" cmp -s "$readme" "$built_readme"
shows_no_pictures() { [ -s "$1" ] && ! grep -q '!\[' "$1"; }
check "the README shows no pictures, which the installation does not hold" shows_no_pictures "$readme"
check "the README opens as UTF-8 in any Notepad: it starts with a byte order mark" \
    test "$(od -An -tx1 -N3 "$readme" | tr -d ' ')" = efbbbf
windows_line_ends() { [ -s "$1" ] && [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ]; }
check "the README's lines end as Windows ends them" windows_line_ends "$readme"
check "its settings window, of version $version, is on the screen" eventually on_screen "^Zelvo's Alarm Clock v$version\$"
running() { pgrep -f "^$program\$" >/dev/null; }
check "it keeps running, its welcome box open, into the uninstall" running

# What "Keep Running" of this program leaves (its entry under the user's Run key, an earlier version's empty
# one under the machine's RunOnce key, and one in quotes under the user's RunOnce key, which no version
# writes but the uninstall clears all the same), an entry of another copy of the program and one of another
# program, and a setting of the user's own.
put() { win reg add "$1" /v "$2" /d "$3" /f >/dev/null || fail "could not write $2 under $1"; }
put "HKCU\\$run" alarmclock "$program_windows"
put "HKCU\\${run}Once" alarmclock "\"$program_windows\""
put "HKLM\\${run}Once" alarmclock ""
put "HKLM\\$run" alarmclock 'C:\portable\alarmclock.exe'
put "HKCU\\$run" other 'C:\other\other.exe'
put "$settings" defmessage "Wake up"

win msiexec /x "$msi_windows" /qn /l*v 'C:\uninstall.log'
status=$?
check "msiexec /x /qn exits 0 (exit $status)" test "$status" -eq 0
[ "$status" -eq 0 ] || tr -d '\r' < "$WINEPREFIX/drive_c/uninstall.log" | tail -40
check "the uninstall ended the running program before it removed it" eval '! running'
running && win taskkill /f /im alarmclock.exe >/dev/null
wait "$started"

check "the program is gone" test ! -e "$program"
check "its README is gone" test ! -e "$install_dir/README.txt"
check "its folder is gone" test ! -e "$install_dir"
check "the shortcut is gone" test ! -e "$shortcut"
check "the uninstall entry is gone" test -z "$(installed_entry)"
check "the installer's own key is gone" eval '! has_key "HKCU\Software\Vyk\AlarmClock Installation"'
for place in "HKCU\\$run" "HKCU\\${run}Once" "HKLM\\${run}Once"; do
    check "the start-up entry under $place is gone" eval '! reg_value "$place" alarmclock >/dev/null'
done
check "another copy's start-up entry stays" test "$(reg_value "HKLM\\$run" alarmclock)" = 'C:\portable\alarmclock.exe'
check "another program's start-up entry stays" test "$(reg_value "HKCU\\$run" other)" = 'C:\other\other.exe'
check "the settings stay: the welcome was shown" test "$(reg_value "$settings" intro)" = done
check "the settings stay: the default message" test "$(reg_value "$settings" defmessage)" = "Wake up"

echo "msi_test: $failures failed"
[ "$failures" -eq 0 ]
