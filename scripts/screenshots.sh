#!/bin/sh
# Draws the README's tour pictures (docs/tour/*.png) from the real windows in a virtual X
# display at the normal scale. Run it after an intended change of the look, review the
# pictures and commit them; test_tour fails while they are not current.
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh build >/dev/null
rm -f docs/tour/*.png
mkdir -p docs/tour
CHROMALUNE_TOUR_OUT="$PWD/docs/tour" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
    xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/test_tour >/dev/null
ls -l docs/tour
