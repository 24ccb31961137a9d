#!/bin/sh
# Installs the build into a temporary prefix, checks what a desktop needs there, and starts
# the installed program from bin/, away from the source and build trees, so it must find its
# files in share/chromalune/ by their place relative to itself.
#   install_test.sh CMAKE BUILD_DIR SOURCE_DIR BINDIR DATADIR
set -u
cmake="$1" build="$2" src="$3" bindir="$4" datadir="$5"
app_id=io.github.moonquill.chromalune

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# the build's install manifest belongs to the user's own install, so it survives this one
manifest="$build/install_manifest.txt"
saved_manifest="$(mktemp)"
had_manifest=no
[ -f "$manifest" ] && cp "$manifest" "$saved_manifest" && had_manifest=yes
"$cmake" --install "$build" --prefix "$prefix" >"$saved_manifest.log" 2>&1
install_status=$?
if [ "$had_manifest" = yes ]; then cp "$saved_manifest" "$manifest"; else rm -f "$manifest"; fi
if [ "$install_status" -ne 0 ]; then
    cat "$saved_manifest.log"
    rm -f "$saved_manifest" "$saved_manifest.log"
    echo "FAIL: cmake --install into $prefix"
    exit 1
fi
rm -f "$saved_manifest" "$saved_manifest.log"

program="$prefix/$bindir/chromalune"
[ -x "$program" ] && [ ! -L "$program" ] || fail "no executable $program"
appdir="$prefix/$datadir/chromalune"

# every run-time file the program reads, as committed
for f in "$src"/assets/preview/lists/*.txt "$src/assets/app/Chromalune.html"; do
    name="$(basename "$f")"
    cmp -s "$f" "$appdir/$name" || fail "$name missing or different in $appdir"
done

desktop="$prefix/$datadir/applications/$app_id.desktop"
if [ ! -f "$desktop" ]; then
    fail "no desktop entry $desktop"
else
    exec_line="$(sed -n 's/^Exec=//p' "$desktop")"
    [ -x "$prefix/$bindir/${exec_line%% *}" ] ||
        fail "Exec=$exec_line does not name the program installed in $bindir"
    [ "$(sed -n 's/^Icon=//p' "$desktop")" = "$app_id" ] || fail "Icon= is not $app_id"
    if command -v desktop-file-validate >/dev/null 2>&1; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
    fi
fi

# a PNG's width and height are the big-endian words at bytes 16 and 20
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
hicolor="$prefix/$datadir/icons/hicolor"
for size in 16 22 24 32 48 64 128 256; do
    png="$hicolor/${size}x${size}/apps/$app_id.png"
    if [ ! -f "$png" ]; then
        fail "no icon $png"
    elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
        fail "$png is $(png_size "$png"), not ${size}x${size}"
    fi
done
grep -q "<svg" "$hicolor/scalable/apps/$app_id.svg" 2>/dev/null ||
    fail "no scalable icon $hicolor/scalable/apps/$app_id.svg"

metainfo="$prefix/$datadir/metainfo/$app_id.metainfo.xml"
if [ ! -f "$metainfo" ]; then
    fail "no metainfo $metainfo"
else
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
    if command -v appstreamcli >/dev/null 2>&1; then
        appstreamcli validate --no-net --pedantic "$metainfo" ||
            fail "appstreamcli rejects $metainfo"
    fi
fi

# Starts the installed program from / for ten seconds, time enough for the splash to hand
# over to the main window, which reads the first lists, even in a sanitizer build on a busy
# machine; prints its stderr and returns timeout's status (124: it was still running).
run_installed() {
    (cd / && QT_QPA_PLATFORM=offscreen timeout 10 "$program" >/dev/null 2>"$prefix/stderr.txt")
    status=$?
    cat "$prefix/stderr.txt"
    return $status
}

messages="$(run_installed)"
status=$?
[ "$status" -eq 124 ] || fail "the installed program stopped with status $status: $messages"
if printf '%s\n' "$messages" | grep -E "pixel list|Chromalune\.html|Cannot"; then
    fail "the installed program complained about its files"
fi

# the same run notices a list file gone, so the silence above means the files were found
rm -f "$appdir/mple_logos.txt"
messages="$(run_installed)"
printf '%s\n' "$messages" | grep -q "mple_logos.txt" ||
    fail "without mple_logos.txt the installed program did not say so: $messages"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed into a temporary prefix, laid out as a desktop expects, and started"
