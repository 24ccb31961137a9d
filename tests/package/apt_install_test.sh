#!/bin/sh
# Installs the package built by package_test.sh with apt-get as a user would, uses the
# installed program from /usr/bin and removes the package with dpkg -r, checking that no
# file is left behind. It changes the machine's own /usr, so it needs root and runs where
# that is wanted: as root, or in CI with sudo. Exits 77 (skipped) elsewhere.
#   apt_install_test.sh DEB_DIR
set -u
deb_dir="$1"
app_id=io.github.moonquill.chromalune

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif [ "${CI:-}" = true ] && sudo -n true 2>/dev/null; then
    SUDO="sudo -n"
else
    echo "SKIPPED: installing the package needs root (run as root, or with CI=true and sudo)"
    exit 77
fi
deb="$(ls "$deb_dir"/chromalune_*.deb 2>/dev/null | head -n 1)"
if [ -z "$deb" ]; then
    echo "FAIL: no package in $deb_dir; package_deb builds it"
    exit 1
fi

# Builds in other folders of the same machine install the same package: one at a time.
exec 9>/tmp/chromalune-apt-install-test.lock
flock -w 600 9 || { echo "FAIL: another install test held the lock for ten minutes"; exit 1; }
if dpkg-query -W -f='${Status}' chromalune 2>/dev/null | grep -q "ok installed"; then
    echo "SKIPPED: chromalune is installed on this machine already; this test does not remove it"
    exit 77
fi

tmp="$(mktemp -d)"
cleanup() {
    if dpkg-query -W -f='${Status}' chromalune 2>/dev/null | grep -q "ok installed"; then
        $SUDO dpkg -r chromalune >/dev/null 2>&1
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# the package's dependencies are on the machine already (the build needs them): no download
if ! $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "$deb" >"$tmp/apt.log" 2>&1; then
    cat "$tmp/apt.log"
    echo "FAIL: apt-get install $deb"
    exit 1
fi
dpkg -L chromalune | sort >"$tmp/files.txt"

cd "$tmp" || exit 1
[ "$(command -v chromalune)" = /usr/bin/chromalune ] ||
    fail "chromalune is not found as /usr/bin/chromalune: $(command -v chromalune)"
if /usr/bin/chromalune --export scheme.gpl --rule triad >"$tmp/out.txt" 2>&1; then
    grep -q "^GIMP Palette" scheme.gpl || fail "the installed program wrote no palette"
else
    fail "chromalune --export failed: $(cat "$tmp/out.txt")"
fi
man -w chromalune >/dev/null 2>&1 || fail "man does not find the manual page chromalune(1)"
exec_line="$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")"
[ "$(command -v "${exec_line%% *}")" = /usr/bin/chromalune ] ||
    fail "the desktop entry's Exec=$exec_line does not start /usr/bin/chromalune"

# Started as the menu starts it, the program reads its files from /usr/share/chromalune:
# it names any it cannot read.
(cd / && QT_QPA_PLATFORM=offscreen timeout 10 "${exec_line%% *}" >/dev/null 2>"$tmp/stderr.txt")
status=$?
[ "$status" -eq 124 ] || fail "the installed program stopped with status $status"
if grep -E "pixel list|Chromalune\.html|Cannot" "$tmp/stderr.txt"; then
    fail "the installed program complained about its files"
fi

cd / || exit 1
$SUDO dpkg -r chromalune >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg -r chromalune"; }
state="$(dpkg-query -W -f='${db:Status-Status}' chromalune 2>/dev/null)"
case "$state" in
    "" | not-installed) ;;
    *) fail "after dpkg -r the package is still $state" ;;
esac
while read -r path; do
    # folders the package shares with others stay; its own go with its files
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        case "$path" in
            */chromalune) fail "the folder $path is left behind" ;;
        esac
    elif [ -e "$path" ] || [ -L "$path" ]; then
        fail "$path is left behind"
    fi
done <"$tmp/files.txt"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed with apt-get, ran from /usr/bin, removed with dpkg -r leaving nothing behind"
