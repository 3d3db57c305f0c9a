#!/usr/bin/env bash
# One entry point for newcomers and CI: installs what is missing, builds and tests.
#   ./build.sh test       build and run every test (the default)
#   ./build.sh run        build and start the program
#   ./build.sh sanitize   run the headless tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   ./build.sh windows    build alarmclock.exe for 32-bit and 64-bit Windows with MinGW-w64, and compile the
#                         Windows tests for 32-bit Windows
#   ./build.sh windows-test
#                         run the Windows tests (64-bit) under Wine on a virtual display; `test` runs them too
#   ./build.sh format     check that the sources are clang-format clean
#   ./build.sh package    build the Debian package, the Windows installer and the portable Windows zip
#                         (build-package/alarmclock_*.deb, alarmclock-*.msi, alarmclock-*-windows-i686.zip)
#   ./build.sh package-test
#                         build the packages, then install the Debian package with apt as a user does, start
#                         it, remove it and purge it (it changes this system: for a fresh or spare one)
#   ./build.sh bench [PROGRAM] [OPTIONS]
#                         measure the footprint of PROGRAM (default: a release build installed under
#                         build-bench/install) against a minimal Qt tray program; about 25 minutes
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libsqlite3-dev libglib2.0-dev
    libgstreamer1.0-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    qt6-base-dev xvfb trayer xdotool imagemagick x11-utils xdg-utils faketime python3 procps locales
    dbus-daemon python3-gi gir1.2-glib-2.0 qt6-wayland weston at-spi2-core python3-pyatspi lxqt-panel dunst
    fonts-dejavu-core fonts-liberation2)
WINDOWS_PACKAGES=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wixl googletest)
WINDOWS_TEST_PACKAGES=(wine64 xvfb trayer xdotool msitools binutils)
FORMAT_PACKAGES=(clang-format)
JOBS=$(nproc)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The locales the Qt tests lay the window out in.
generate_test_locales() {
    for name in en_US de_DE; do
        locale -a | grep -qx "$name.utf8" || as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# The Windows tests run in the 64-bit build: this kernel runs no 32-bit code under Wine.
windows_tests() {
    install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}"
    configure_and_build build-windows-tests -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
    tests/platform/win32/wine_session.sh ctest --test-dir build-windows-tests --output-on-failure --no-tests=error
}

# The product's 32-bit tree compiles the Windows tests too, though only the 64-bit build runs them: the
# calling convention of 32-bit Windows (stdcall callbacks) shows only there.
build_windows() {
    local arch=$1 tests=OFF
    [ "$arch" = i686 ] && tests=ON
    configure_and_build "build-windows-$arch" -DCMAKE_BUILD_TYPE=Release -DALARMCLOCK_BUILD_TESTS=$tests \
        -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-w64-$arch.cmake"
}

# The Windows product is the 32-bit program: its installer and portable zip go beside the Debian package.
windows_packages() {
    install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
    build_windows i686
    local version
    version=$(sed -n 's/^project(alarmclock VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    cp "build-windows-i686/alarmclock-$version-i686.msi" "build-windows-i686/alarmclock-$version-windows-i686.zip" \
        build-package/
    echo "alarmclock.exe (i686), stripped: $(stat -c %s build-windows-i686/packaging/windows/release/alarmclock.exe) bytes"
}

# ALARMCLOCK_WARNINGS_FATAL=1 (CI, and a developer before a commit) makes every warning an error; a user's
# build shows them and goes on.
configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR="${ALARMCLOCK_WARNINGS_FATAL:-0}" "$@"
    cmake --build "$dir" -j "$JOBS"
}

case "${1:-test}" in
    test)
        install_missing "${BUILD_PACKAGES[@]}"
        generate_test_locales
        # Tests asked for by name: `run` builds the same folder without them, and the cache would keep that.
        configure_and_build build -DCMAKE_BUILD_TYPE=Debug -DALARMCLOCK_BUILD_TESTS=ON
        ctest --test-dir build --output-on-failure --no-tests=error -j "$JOBS"
        windows_tests
        ;;
    windows-test)
        windows_tests
        ;;
    run)
        install_missing "${BUILD_PACKAGES[@]}"
        configure_and_build build -DCMAKE_BUILD_TYPE=Debug -DALARMCLOCK_BUILD_TESTS=OFF
        if [ -n "${DISPLAY:-}" ]; then
            exec build/alarmclock
        fi
        # No screen here: a virtual one with a notification area, and a screenshot to look at. Without a
        # login session (a container, su) there is no runtime folder either: a private one for this run.
        source tests/support/virtual_desktop.bash
        start_virtual_desktop trayer
        runtime_dir=
        if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
            runtime_dir=$(mktemp -d)
            export XDG_RUNTIME_DIR=$runtime_dir
        fi
        build/alarmclock &
        program=$!
        trap 'kill $program 2>/dev/null; end_virtual_desktop; [ -z "$runtime_dir" ] || rm -rf "$runtime_dir"' EXIT
        sleep 3
        import -window root alarmclock-screenshot.png
        echo "No display was set, so the program runs in a virtual one ($DISPLAY)."
        echo "Look at it: $PWD/alarmclock-screenshot.png (take another: DISPLAY=$DISPLAY import -window root shot.png)."
        echo "It keeps running until you press Ctrl+C."
        wait "$program"
        ;;
    sanitize)
        install_missing "${BUILD_PACKAGES[@]}"
        # The headless suite and our own system code; Qt's and GStreamer's libraries are not built for it.
        configure_and_build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DALARMCLOCK_SANITIZE=ON \
            -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
            ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j "$JOBS"
        ;;
    windows)
        install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
        for arch in i686 x86_64; do
            build_windows "$arch"
            echo "Built build-windows-$arch/packaging/windows/release/alarmclock.exe"
        done
        ;;
    package)
        install_missing "${BUILD_PACKAGES[@]}" dpkg-dev file
        configure_and_build build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
            -DALARMCLOCK_BUILD_TESTS=OFF
        (cd build-package && cpack -G DEB)
        windows_packages
        ls -l build-package/*.deb build-package/*.msi build-package/*.zip
        ;;
    package-test)
        "$0" package
        as_root tests/e2e/deb_install_test.sh build-package/alarmclock_*.deb
        ;;
    bench)
        install_missing "${BUILD_PACKAGES[@]}"
        shift
        program=build-bench/install/bin/alarmclock
        if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
            program=$1
            shift
        else
            configure_and_build build-bench/program -DCMAKE_BUILD_TYPE=Release -DALARMCLOCK_BUILD_TESTS=OFF
            cmake --install build-bench/program --prefix build-bench/install > /dev/null
        fi
        cmake -S bench/baseline -B build-bench/baseline -G Ninja -DCMAKE_BUILD_TYPE=Release
        cmake --build build-bench/baseline
        python3 bench/footprint.py "$program" build-bench/baseline/footprint_baseline "$@"
        ;;
    format)
        install_missing "${FORMAT_PACKAGES[@]}"
        git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
        ;;
    *)
        echo "usage: $0 [test|run|sanitize|windows|windows-test|format|package|bench]" >&2
        exit 2
        ;;
esac
