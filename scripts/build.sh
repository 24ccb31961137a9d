#!/bin/sh
# Configures (first time only) and builds into the folder given as $1 with extra CMake
# arguments after it. Quick when nothing changed.
set -eu
dir="$1"; shift
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$root/$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$root/$dir" --parallel "$(nproc)"
