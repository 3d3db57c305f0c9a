#!/usr/bin/env bash
# Runs one Windows test program under wine64: ctest's emulator for the cross-built tests. Expects the
# session that wine_session.sh prepares (WINEPREFIX, DISPLAY). A 32-bit program under wine64 would "exit 0"
# without running on this kernel, so anything but a 64-bit PE is refused.
set -uo pipefail
program=$1
shift
# The PE header's offset is at 0x3c; its optional header starts 24 bytes after it, with 0x20b for PE32+.
pe_offset=$(od -An -tu4 -j 60 -N 4 "$program" | tr -d ' ')
magic=$(od -An -tx2 -j $((pe_offset + 24)) -N 2 "$program" | tr -d ' ')
if [ "$magic" != "020b" ]; then
    echo "wine_run.sh: $program is not a 64-bit Windows program (optional header magic $magic)" >&2
    exit 127
fi
: "${WINEPREFIX:?run the Windows tests inside wine_session.sh}"
# Windows programs end their lines with "\r\n".
"${WINE64:-/usr/lib/wine/wine64}" "$program" "$@" | tr -d '\r'
