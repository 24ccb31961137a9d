#!/bin/sh
# Configures (first time only) and builds into the folder given as $1 with extra CMake
# arguments after it. Quick when nothing changed; the compiler's output goes to
# <folder>/build.log. Warnings are shown after every build; under CI they fail it.
set -eu
dir="$1"; shift
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$root/$dir"
log="$root/$dir/build.log"
if [ ! -f "$root/$dir/CMakeCache.txt" ]; then
    echo "Configuring $dir/ (the first build takes a few minutes)"
    if ! cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$log" 2>&1; then
        cat "$log" >&2
        exit 1
    fi
fi
if [ "${CI:-}" = true ]; then
    cmake -B "$root/$dir" -DCHROMALUNE_WERROR=ON >/dev/null
fi
echo "Building in $dir/"
if ! cmake --build "$root/$dir" --parallel "$(nproc)" >"$log" 2>&1; then
    grep -E "error|Error" "$log" | head -40 >&2
    echo "The build failed; the whole output is in $dir/build.log" >&2
    exit 1
fi
if grep -q "warning:" "$log"; then
    grep -A3 "warning:" "$log" >&2
    echo "The build has warnings (above); fix them before committing." >&2
fi
