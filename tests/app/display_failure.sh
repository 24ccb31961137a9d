#!/bin/sh
# Starts the real program ($1) on displays that cannot be opened: each start ends with exit
# status 1 and one line naming the display, never the toolkit's abort.
set -u
program="$1"
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
failures=0

# expect NAME_IN_LINE ENV... -- ARGS...
expect() {
    want="$1"; shift
    env_args=""
    while [ "$1" != "--" ]; do env_args="$env_args $1"; shift; done
    shift
    # shellcheck disable=SC2086
    err="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
        $env_args timeout 20 "$program" "$@" 2>&1 >/dev/null)"
    status=$?
    lines="$(printf '%s\n' "$err" | wc -l)"
    case "$err" in
        "chromalune: cannot open the display ("*"$want"*) ok=yes ;;
        *) ok=no ;;
    esac
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || [ "$ok" = no ]; then
        echo "FAIL [$env_args $*]: exit $status, $lines lines:" >&2
        printf '%s\n' "$err" >&2
        failures=$((failures + 1))
    fi
}

# a display number no server holds, even while other virtual displays run beside the tests
free=99
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
expect "X11 ':$free'" "DISPLAY=:$free" --
expect 'X11 (DISPLAY is not set)' QT_QPA_PLATFORM=xcb --
expect 'X11 (DISPLAY is not set)' -- -platform xcb
expect "Wayland 'wayland-0'" QT_QPA_PLATFORM=wayland --
expect "Wayland 'wayland-77'" WAYLAND_DISPLAY=wayland-77 --
# a display name that would retitle the terminal is shown escaped
expect "X11 '\\e]0;T\\x07'" "DISPLAY=$(printf '\033]0;T\007')" --

[ "$failures" -eq 0 ] || exit 1
echo "6 passed, 0 failed"
