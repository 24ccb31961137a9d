#!/bin/sh
# Drives the program as a native Wayland client through a real compositor: weston nested in
# a private Xvfb, so that it has a seat and xdotool can send it real pointer and key input.
# The program runs with the Wayland protocol log on (WAYLAND_DEBUG=client); the test reads
# from it which windows map and where the pointer enters the main window, which tells where
# weston placed it. Everything it starts it stops again, also on failure, and each runs
# under a time limit, so that nothing outlives a test that is killed. Its waits are long: the
# tests beside it in a full run load the machine, and a wait only takes its time when needed.
#   wayland_test.sh PROGRAM
# Exits 77 (skipped) where weston or another tool is missing.
set -u
program="$1"

for tool in weston Xvfb xdotool wl-paste; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is missing; scripts/setup.sh installs it" \
            "(packages weston, xvfb, xdotool, wl-clipboard, qt6-wayland)"
        exit 77
    fi
done
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
    echo "SKIPPED: Qt's Wayland plugin is missing; scripts/setup.sh installs it (qt6-wayland)"
    exit 77
fi

tmp="$(mktemp -d)"
runtime="$tmp/runtime"
mkdir -m 700 "$runtime"
socket=chromalune-test
log="$tmp/first-run.log"
xvfb_pid="" weston_pid="" app_pid=""
failures=0

stop() { # stops a process this test started, by its id
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.2
    done
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    status=$?
    stop "$app_pid"
    stop "$weston_pid"
    stop "$xvfb_pid"
    if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
        echo "--- weston's log"
        tail -n 20 "$tmp/weston.log" 2>/dev/null
        echo "--- the program's messages"
        grep -v '^\[' "$log" 2>/dev/null | tail -n 20
    fi
    rm -rf "$tmp"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
die() {
    echo "FAIL: $*"
    exit 1
}
# wait_until SECONDS COMMAND...: polls every tenth of a second
wait_until() {
    limit=$(($1 * 10))
    shift
    while [ "$limit" -gt 0 ]; do
        "$@" && return 0
        sleep 0.1
        limit=$((limit - 1))
    done
    return 1
}
x() { DISPLAY="$display" xdotool "$@"; }
wl() { XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" "$@"; }

# --- the private X server, and weston as one window on it
# The screen is larger than weston's window, so that the pointer can leave that window and
# come back. weston's X backend follows the X pointer by its moves from where it entered
# last: an entry must come before the first move, or weston's pointer goes astray.
timeout 500 Xvfb -displayfd 3 -screen 0 1100x800x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 40 test -s "$tmp/display" || die "Xvfb did not start: $(cat "$tmp/xvfb.log")"
display=":$(cat "$tmp/display")"
cat >"$tmp/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
panel-position=none
locking=false
INI
DISPLAY="$display" XDG_RUNTIME_DIR="$runtime" timeout 500 weston --backend=x11-backend.so --use-pixman \
    --socket="$socket" --width=1024 --height=768 --config="$tmp/weston.ini" \
    >"$tmp/weston.log" 2>&1 &
weston_pid=$!
wait_until 60 test -S "$runtime/$socket" || die "weston did not open its socket"

# --- the program, from a folder of its own; what it would show for a wheel position comes
# from its own export, which reads the same wheel
cd "$tmp" || exit 1
expected_html() { # X Y: the HTML code of the second colour, the one under the pointer
    "$program" --export "$tmp/at.css" --at "$1,$2" >/dev/null 2>&1 || die "--export --at $1,$2"
    sed -n 's/.*--color-2: \(#[0-9A-F]*\);.*/\1/p' "$tmp/at.css"
}

start_program() { # NAME: its protocol log and messages go to NAME.log
    log="$tmp/$1.log"
    env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
        QT_WAYLAND_DISABLE_WINDOWDECORATION=1 WAYLAND_DEBUG=client timeout 240 "$program" \
        >"$tmp/stdout.txt" 2>"$log" &
    app_pid=$!
}
# the wl_surface of the main window: the toplevel that takes the window's size, 792 x 552
main_surface() {
    xdg="$(sed -n 's/.*-> xdg_surface@\([0-9]*\)\.set_window_geometry(0, 0, 792, 552).*/\1/p' \
        "$log" | tail -n 1)"
    [ -n "$xdg" ] || return 1
    sed -n "s/.*get_xdg_surface(new id xdg_surface@$xdg, wl_surface@\([0-9]*\)).*/\1/p" "$log" |
        tail -n 1
}
mapped() { grep -q "wl_surface@$1\.attach(wl_buffer" "$log"; }
# Moves the pointer to a spot every placement of the window covers, and reads where in the
# window weston says it is: that gives the window's top-left corner on the screen.
locate_main() {
    surface="$(main_surface)"
    lines="$(wc -l <"$log")"
    x mousemove 1060 780
    sleep 0.1
    x mousemove 500 400
    sleep 0.2
    x mousemove 501 401
    at="$(tail -n +"$((lines + 1))" "$log" |
        sed -n "s/.*wl_pointer@[0-9]*\.\(enter([0-9]*, wl_surface@$surface,\|motion([0-9]*,\) \([0-9]*\)\.[0-9]*, \([0-9]*\)\..*/\2 \3/p" |
        tail -n 1)"
    [ -n "$at" ] || return 1
    set -- $at
    left=$((501 - $1))
    top=$((401 - $2))
}
wait_for_main() {
    wait_until 60 main_surface >/dev/null || die "the main window never took its size"
    surface="$(main_surface)"
    main_wl="$surface"
    wait_until 30 mapped "$surface" || die "the main window never mapped"
    if ! wait_until 30 locate_main; then
        grep -E "wl_pointer@[0-9]+\.(enter|leave)|get_xdg_surface|set_window_geometry" "$log" |
            tail -n 12
        die "the pointer never entered the main window (wl_surface@$surface)"
    fi
}
# at X Y: the point X, Y of the main window on the screen
click_at() { x mousemove $((left + $1)) $((top + $2)) click 1; }
# whether the keyboard's last enter, after any leave, was into the main window
keyboard_on_main() {
    grep -E "wl_keyboard@[0-9]+\.(enter|leave)\(" "$log" | tail -n 1 |
        grep -q "enter([0-9]*, wl_surface@$main_wl,"
}
# a click on the window's empty background gives it the keyboard back (wl-paste takes it
# for a moment on a compositor without the data-control protocol); on a busy machine that
# can take longer than any fixed pause
focus_main() {
    click_at 700 40
    wait_until 20 keyboard_on_main || true
    sleep 0.1
}
# whether the Wayland clipboard holds the text (wl-paste gives up after five seconds)
clipboard_is() { [ "$(wl timeout 5 wl-paste -n 2>/dev/null)" = "$1" ]; }
focus_left_main() { # the keyboard went to a window other than the main one since line $1
    tail -n +"$(($1 + 1))" "$log" | grep -q "wl_keyboard@[0-9]*\.enter([0-9]*, wl_surface@[0-9]*," &&
        ! tail -n +"$(($1 + 1))" "$log" | grep "wl_keyboard@[0-9]*\.enter(" | tail -n 1 |
        grep -q "wl_surface@$surface,"
}
# save_with KEYS FILE: opens a save dialog with the keys and types the file's path into it
save_with() {
    focus_main
    lines="$(wc -l <"$log")"
    x key "$1"
    wait_until 30 focus_left_main "$lines" || { fail "$1 opened no dialog"; return; }
    sleep 0.3
    x type --delay 15 "$2"
    x key Return
    wait_until 30 test -s "$2" || fail "nothing was written to $2 after $1"
}

# --- first run: the wheel, the keys, the clipboard, saving, exporting, Ctrl+Q
start_program first-run
wait_for_main
echo "main window mapped at $left,$top"

# The wheel is at 8,104 in the window; a move tracks, a click freezes the scheme and gives
# the wheel the keyboard.
click_at $((8 + 60)) $((104 + 90))
want="$(expected_html 60 90)"
save_with ctrl+s "$tmp/saved.txt"
grep -q "$want" "$tmp/saved.txt" 2>/dev/null || fail "the colours file lacks $want"
# a click on the second colour's HTML code copies it
click_at 332 521
wait_until 20 clipboard_is "$want" ||
    fail "pointer at 60,90: the clipboard holds '$(wl wl-paste -n 2>&1)', not $want"
# the field now has the keyboard, and its own Ctrl+E (to the line's end) gives way to the menu's
save_with ctrl+e "$tmp/palette.gpl"
grep -q "^GIMP Palette" "$tmp/palette.gpl" 2>/dev/null || fail "the export wrote no GIMP palette"

# Shift+Right moves the pick ten pixels, Space freezes it there
focus_main
click_at $((8 + 60)) $((104 + 90))
x key shift+Right space
click_at 332 521
first="$want"
want="$(expected_html 70 90)"
[ "$want" != "$first" ] || die "60,90 and 70,90 give the same colour: move the test's pick"
wait_until 20 clipboard_is "$want" ||
    fail "Shift+Right from 60,90: the clipboard holds '$(wl wl-paste -n 2>&1)', not $want"

focus_main
x key ctrl+q
if wait_until 60 sh -c "! kill -0 $app_pid 2>/dev/null"; then
    wait "$app_pid"
    status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "after Ctrl+Q the program exited with status $status"
else
    keyboard_on_main || why=" (the main window did not have the keyboard)"
    fail "Ctrl+Q did not end the program${why:-}"
fi

# --- second run: Tools, Check Accessibility. weston gives the keyboard to an open child
# window however the parent is clicked, so this run ends by a signal, not by Ctrl+Q.
start_program second-run
wait_for_main
click_at 90 10
sleep 0.3
x key Down Down Return
# the surface of the toplevel titled so, once it has shown a picture
titled_surface_mapped() {
    surface="$(awk -v title="set_title(\"$1\")" '
        /get_xdg_surface\(new id/ { s = $0; sub(/.*wl_surface@/, "", s); sub(/\).*/, "", s) }
        index($0, title) { found = s }
        END { print found }' "$log")"
    [ -n "$surface" ] && mapped "$surface"
}
wait_until 30 titled_surface_mapped "Accessibility Check" ||
    fail "Tools, Check Accessibility showed no window"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the accessibility window open"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "on Wayland: the main window mapped, the wheel, keys, clipboard, saving, exporting and" \
    "the accessibility window worked, Ctrl+Q ended the program"
