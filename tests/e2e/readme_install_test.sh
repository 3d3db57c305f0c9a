#!/usr/bin/env bash
# The README that the welcome and about texts name is where the installation put it, with every picture it
# shows: for a prefix given only to `cmake --install`, and for the prefix set when configuring (staged under
# DESTDIR, as a package build installs it).
# Usage: readme_install_test.sh BUILD_DIR PRINT_README_LOCATION CONFIGURED_PREFIX BINDIR DOCDIR
set -euo pipefail

build=$1
printer=$2
configured_prefix=$3
bindir=$4
docdir=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/e2e_helpers.sh"

# The path that a program in PREFIX's binaries' folder names.
named_in() {
    cp "$printer" "$1/$bindir/"
    "$1/$bindir/$(basename "$printer")"
}

# The pictures that README links and its folder lacks.
missing_pictures() {
    grep -o '!\[[^]]*\]([^)]*)' "$1" | sed 's/.*(\(.*\))$/\1/' | while read -r picture; do
        [ -f "$(dirname "$1")/$picture" ] || echo "$picture"
    done
}

check_installation() {  # check_installation DESCRIPTION PREFIX
    local named
    named=$(named_in "$2")
    echo "named: $named"
    check "$1: the texts name the README under the prefix" test "$named" = "$2/$docdir/README.md"
    check "$1: the README is there" test -f "$named"
    check "$1: every picture it shows is there" test -z "$(missing_pictures "$named")"
}

cmake --install "$build" --prefix "$work/given" > /dev/null
check_installation "prefix given to cmake --install" "$work/given"

DESTDIR=$work/staged cmake --install "$build" > /dev/null
check_installation "prefix set when configuring" "$work/staged$configured_prefix"

report
