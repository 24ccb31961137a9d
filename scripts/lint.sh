#!/bin/sh
# Style gates: every C++ file formatted as .clang-format says, and clang-tidy's naming,
# bugprone and performance checks clean over every program and test source.
#   sh scripts/lint.sh            both gates, clang-tidy over every file (as CI runs it)
#   sh scripts/lint.sh FILE...    clang-tidy over these files only (quick, while working)
# Reads the compile commands of build/ (./test makes them).
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
CHROMALUNE_EXTRA_PACKAGES="clang-format clang-tidy" sh scripts/setup.sh

sources=$(git ls-files '*.cpp' '*.h')
echo "clang-format: checking $(echo "$sources" | wc -l) files"
# shellcheck disable=SC2086
clang-format --dry-run -Werror $sources

if [ ! -f build/compile_commands.json ]; then
    sh scripts/build.sh build
fi
if [ $# -gt 0 ]; then
    files="$*"
else
    # headers are checked through the sources that include them
    files=$(git ls-files '*.cpp' | grep -v '^fuzz/')
fi
echo "clang-tidy: checking $(echo "$files" | wc -w) files"
# shellcheck disable=SC2086
run-clang-tidy -quiet -p build -j "$(nproc)" $files >build/clang-tidy.log 2>&1 || {
    grep -E 'warning:|error:' build/clang-tidy.log | grep -v 'warnings generated' | sort -u | head -60 >&2
    echo "clang-tidy found problems; the whole output is in build/clang-tidy.log" >&2
    exit 1
}
echo "clang-tidy: clean"
