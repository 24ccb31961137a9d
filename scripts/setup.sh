#!/bin/sh
# Installs the Debian packages the build and tests need, only those still missing.
# Sourced by ./run and ./test; safe to run again and again.
set -eu

# dpkg-dev, lintian and man-db build and check the Debian package; weston,
# qt6-wayland, wl-clipboard and xdotool run the Wayland tests in a nested compositor;
# dbus-daemon gives the screen picker's tests a private bus with a stand-in portal;
# qt6-image-formats-plugins reads WebP and TIFF pictures; qt6-svg-dev writes the sheet's SVG
# and poppler-utils reads the text of its PDF back in the tests; chromium renders the starter
# page headless in its browser test.
CHROMALUNE_PACKAGES="cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
libbenchmark-dev fonts-liberation xvfb xauth appstream desktop-file-utils \
dpkg-dev lintian man-db weston qt6-wayland wl-clipboard xdotool dbus-daemon \
qt6-image-formats-plugins qt6-svg-dev poppler-utils chromium"

missing=""
for p in $CHROMALUNE_PACKAGES ${CHROMALUNE_EXTRA_PACKAGES:-}; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing missing Debian packages:$missing"
    if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
