# virtual_desktop.sh for shell scripts, sourced. start_virtual_desktop [TRAY] starts it as a coprocess and
# exports its DISPLAY; end_virtual_desktop, for the script's EXIT trap, closes the pipe to it and waits
# until it has ended. A script killed before its trap runs still closes the pipe, and the desktop ends then.
start_virtual_desktop() {
    coproc virtual_desktop { exec "${BASH_SOURCE[0]%/*}/virtual_desktop.sh" --tray "${1:-trayer}"; }
    read -r DISPLAY <&"${virtual_desktop[0]}" || exit 1  # the desktop said why
    export DISPLAY
}

end_virtual_desktop() {
    [ -n "${virtual_desktop_PID:-}" ] || return 0
    local input=${virtual_desktop[1]} pid=$virtual_desktop_PID
    exec {input}>&-
    wait "$pid" 2>/dev/null || true
}
