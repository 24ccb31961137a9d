#!/bin/sh
# Runs the starter page's browser test with the headless Chromium it finds (CHROMALUNE_BROWSER
# when set, else chromium or chromium-browser on the PATH).
#   starter_page_browser.sh TEST-PROGRAM
# Exits 77 (skipped) where no browser is installed.
set -u
browser="${CHROMALUNE_BROWSER:-}"
if [ -z "$browser" ]; then
    for name in chromium chromium-browser; do
        if command -v "$name" >/dev/null 2>&1; then
            browser="$(command -v "$name")"
            break
        fi
    done
fi
if [ -z "$browser" ] || ! "$browser" --version >/dev/null 2>&1; then
    echo "SKIPPED: no headless Chromium to render the starter page; scripts/setup.sh" \
        "installs it (package chromium)"
    exit 77
fi
echo "Rendering with $("$browser" --version)"
CHROMALUNE_BROWSER="$browser" exec "$1"
