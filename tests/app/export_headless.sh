#!/bin/sh
# Runs the program's export ($1) into a fresh folder ($2) and checks the file it writes.
set -eu
rm -rf "$2"
mkdir -p "$2"
"$1" --export "$2/scheme.css" --rule triad --at 250,130 --raster default
# the colours, then the roles: light on :root, dark after it
printf ':root {\n  --color-1: #E2FF0D;\n  --color-2: #FF0F0F;\n  --color-3: #DF09FF;\n  color-scheme: light dark;\n' >"$2/expected.css"
head -n 5 "$2/scheme.css" | cmp - "$2/expected.css"
grep -q '^\[data-theme="dark"\] {$' "$2/scheme.css"
