#!/bin/sh
# Builds the Debian package with CPack, runs lintian on it, unpacks it into a temporary root
# and checks what it holds: the file list, the control fields, the manual page against
# --help, and the packaged program's --version and --export.
#   package_test.sh CPACK BUILD_DIR SOURCE_DIR VERSION OUT_DIR
# Exits 77 (skipped) where Debian's packaging tools are missing.
set -u
cpack="$1" build="$2" src="$3" version="$4" out="$5"
app_id=io.github.moonquill.chromalune

for tool in dpkg-deb dpkg-shlibdeps lintian; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is missing; scripts/setup.sh installs it (packages dpkg-dev, lintian)"
        exit 77
    fi
done

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

rm -rf "$out"
mkdir -p "$out"
# cpack's install step rewrites the build's install manifest, which belongs to the user's
# own install: it survives this one
manifest="$build/install_manifest.txt"
[ -f "$manifest" ] && cp "$manifest" "$out/manifest.saved"
"$cpack" --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1
cpack_status=$?
if [ -f "$out/manifest.saved" ]; then cp "$out/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
if [ "$cpack_status" -ne 0 ]; then
    cat "$out/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
deb="$out/chromalune_${version}-1_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    ls "$out"
    echo "FAIL: no $deb"
    exit 1
fi

# Every tag at warning level or above fails; each informational or pedantic tag left must be
# explained where the package is configured.
lintian --pedantic --display-info --fail-on error,warning "$deb" >"$out/lintian.txt" 2>&1 ||
    fail "lintian reports errors or warnings"
cat "$out/lintian.txt"
for tag in $(sed -n 's/^[IP]: chromalune[^:]*: \([a-z0-9+.-]*\).*/\1/p' "$out/lintian.txt" | sort -u); do
    grep -q "$tag" "$src/packaging/Package.cmake" ||
        fail "lintian tag $tag is neither fixed nor explained in packaging/Package.cmake"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = chromalune ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version-1" ] || fail "Version: $(field Version), not $version-1"
case "$(field Depends)" in
    *libqt6widgets6*) ;;
    *) fail "Depends: $(field Depends) lacks the Qt libraries the program links" ;;
esac
case "$(field Depends)" in
    *qt6-image-formats-plugins*) ;;
    *) fail "Depends: $(field Depends) lacks the picture readers the program loads" ;;
esac
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends: $(field Recommends)"

root="$out/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"
expected="$out/expected.txt"
{
    echo usr/bin/chromalune
    echo "usr/share/applications/$app_id.desktop"
    echo usr/share/chromalune/Chromalune.html
    for f in "$src"/assets/preview/lists/*.txt; do echo "usr/share/chromalune/$(basename "$f")"; done
    echo usr/share/doc/chromalune/changelog.Debian.gz
    echo usr/share/doc/chromalune/copyright
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    done
    echo "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    echo usr/share/lintian/overrides/chromalune
    echo usr/share/man/man1/chromalune.1.gz
    echo "usr/share/metainfo/$app_id.metainfo.xml"
} | sort >"$expected"
(cd "$root" && find . ! -type d | sed 's|^\./||' | sort) >"$out/files.txt"
diff -u "$expected" "$out/files.txt" || fail "the package's files differ from the expected list"

# the metainfo lists this version among its releases, as software centres show them
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo names no release $version"

program="$root/usr/bin/chromalune"
shown="$("$program" --version 2>&1)"
[ "$shown" = "chromalune $version" ] || fail "--version printed '$shown', not 'chromalune $version'"
"$program" --export "$out/scheme.css" --base 3366CC >/dev/null 2>&1 && [ -s "$out/scheme.css" ] ||
    fail "the packaged program did not export"

# the manual page names every option --help lists, and says how the program exits
man_text="$(gzip -dc "$root/usr/share/man/man1/chromalune.1.gz")"
for option in $("$program" --help | sed -n 's/^  \(-[-a-z]*\).*/\1/p'); do
    printf '%s\n' "$man_text" | grep -qF "$(printf '%s' "$option" | sed 's/-/\\-/g')" ||
        fail "the manual page lacks $option"
done
for section in "EXIT STATUS" EXAMPLE; do
    printf '%s\n' "$man_text" | grep -q "^\.SH $section" || fail "the manual page has no $section"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "built $(basename "$deb"): lintian-clean, files as expected, manual page complete"
