#!/bin/sh
# Start-up and memory budget: starts ChromaLune several times and measures, from exec,
# when the splash and then the main window are on screen (mapped and viewable), and the
# resident memory of the program idle a few seconds after the main window shows.
# Goals: splash within 0.3 s, resident memory under 60 MB.
#   bench/startup.sh [RUNS] [PROGRAM]    default: 5 runs of build/bin/chromalune
# Without a display it runs itself inside a virtual one (xvfb-run). Uses only xdotool,
# /proc and date; exits 1 when a goal is missed.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-5}"
program="${2:-}"
case "$runs" in
    '' | *[!0-9]* | 0) echo "usage: bench/startup.sh [RUNS] [PROGRAM]" >&2; exit 2 ;;
esac

if [ -z "$program" ]; then
    CHROMALUNE_EXTRA_PACKAGES="xdotool" sh "$root/scripts/setup.sh"
    sh "$root/scripts/build.sh" build >/dev/null
    program="$root/build/bin/chromalune"
fi
for tool in xdotool xvfb-run; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "needs $tool (Debian packages xdotool, xvfb)" >&2
        exit 2
    fi
done
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$runs" "$program"
fi
# the program must show real windows on this display
unset QT_QPA_PLATFORM

idle_seconds=3
splash_goal_ms=300
memory_goal_kb=$((60 * 1024))

now() { date +%s%N; }

# Waits until a window of process $1 other than $2 is viewable; prints "<window> <ns>",
# the time taken when the search that found it returned (so at most one search late).
wait_for_window() {
    deadline=$(($(now) + 15000000000))
    while kill -0 "$1" 2>/dev/null && [ "$(now)" -lt "$deadline" ]; do
        for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
            if [ "$w" != "$2" ]; then
                echo "$w $(now)"
                return 0
            fi
        done
    done
    return 1
}

# "<field> <kB>" from /proc/PID/status
proc_kb() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status"; }

ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) / 1e6 }'; }

results="$(mktemp)"
trap 'rm -f "$results"' EXIT
# how late a found window can be: the time of one search
t0=$(now)
for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool search --onlyvisible --pid $$ >/dev/null 2>&1 || true; done
echo "one window search takes $(ms "$t0" "$(now)" | awk '{ printf "%.1f", $1 / 10 }') ms;" \
    "times below are at most that late"
printf '%-4s %10s %10s %10s %10s %10s %10s\n' run "splash ms" "main ms" "VmRSS MB" "anon MB" \
    "file MB" "shmem MB"
i=1
while [ "$i" -le "$runs" ]; do
    start=$(now)
    "$program" >/dev/null 2>&1 &
    pid=$!
    if ! splash=$(wait_for_window "$pid" none); then
        echo "run $i: no splash window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    if ! main=$(wait_for_window "$pid" "${splash% *}"); then
        echo "run $i: no main window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    sleep "$idle_seconds"
    rss=$(proc_kb "$pid" VmRSS)
    anon=$(proc_kb "$pid" RssAnon)
    file=$(proc_kb "$pid" RssFile)
    shmem=$(proc_kb "$pid" RssShmem)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    splash_ms=$(ms "$start" "${splash#* }")
    main_ms=$(ms "$start" "${main#* }")
    echo "$splash_ms $main_ms $rss" >>"$results"
    awk -v i="$i" -v s="$splash_ms" -v m="$main_ms" -v r="$rss" -v a="$anon" -v f="$file" \
        -v h="$shmem" 'BEGIN { printf "%-4d %10d %10d %10.1f %10.1f %10.1f %10.1f\n",
                               i, s, m, r / 1024, a / 1024, f / 1024, h / 1024 }'
    i=$((i + 1))
done

# medians over the runs, and the worst run, judged against the goals
summary() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%s %s", m, v[NR] }'
}
read -r splash_median splash_worst <<EOF
$(cut -d' ' -f1 "$results" | summary)
EOF
read -r main_median main_worst <<EOF
$(cut -d' ' -f2 "$results" | summary)
EOF
read -r rss_median rss_worst <<EOF
$(cut -d' ' -f3 "$results" | summary)
EOF

verdict() { if [ "$1" -lt "$2" ] || [ "$1" -eq "$2" ]; then echo met; else echo MISSED; fi; }
splash_verdict=$(verdict "${splash_median%.*}" "$splash_goal_ms")
memory_verdict=$(verdict "${rss_worst%.*}" "$((memory_goal_kb - 1))")
echo
echo "splash on screen:  median ${splash_median} ms, worst ${splash_worst} ms" \
    "(goal ${splash_goal_ms} ms: $splash_verdict)"
echo "main window:       median ${main_median} ms, worst ${main_worst} ms" \
    "(the splash holds it back for one second by design)"
awk -v m="$rss_median" -v w="$rss_worst" -v v="$memory_verdict" 'BEGIN {
    printf "resident memory:   median %.1f MB, worst %.1f MB after %s s idle (goal under 60 MB: %s)\n",
        m / 1024, w / 1024, '"$idle_seconds"', v }'
[ "$splash_verdict" = met ] && [ "$memory_verdict" = met ]
