#!/bin/sh
# Builds every fuzz target with clang, libFuzzer and the sanitizers in build-fuzz/ and fuzzes
# each for the given number of seconds, starting from its committed corpus. New inputs go to
# build-fuzz/corpus/, crashes to build-fuzz/findings/ (add those to fuzz/corpus/ with the fix).
set -eu
seconds="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-fuzz"
if [ ! -f "$dir/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCHROMALUNE_FUZZ=ON -DCHROMALUNE_SANITIZE=ON -DCHROMALUNE_TESTS=OFF \
        -DCHROMALUNE_BENCH=OFF >/dev/null
fi
targets=$(cd "$root/fuzz/corpus" && ls)
# shellcheck disable=SC2086
cmake --build "$dir" --parallel "$(nproc)" --target $targets
mkdir -p "$dir/findings"
status=0
for t in $targets; do
    mkdir -p "$dir/corpus/$t"
    echo "== $t: fuzzing for $seconds s"
    if ! "$dir/bin/$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$dir/findings/$t-" "$dir/corpus/$t" "$root/fuzz/corpus/$t" \
        2>"$dir/$t.log"; then
        status=1
        echo "!! $t found a failure: see $dir/$t.log and $dir/findings/"
    fi
    grep -E "stat::number_of_executed_units|stat::new_units_added" "$dir/$t.log" || true
done
exit $status
