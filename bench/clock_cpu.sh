#!/usr/bin/env bash
# Processor time the program itself takes (user + system time from /proc/<pid>/stat) with its
# window shown on a virtual X display: first while it is idle between runs, then while a run is
# timed and the run clock ticks. The run is started with the "S" key, as an operator does.
#
#   bench/clock_cpu.sh [build folder] [seconds]     (default build-bench, 60 s for each part)
#
# Needs Xvfb and xdotool (Debian packages xvfb and xdotool); the program runs with empty settings,
# state and data folders of its own. Prints the figures as "BENCH clock.<what> <value> <unit>".
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
seconds=${2:-60}
program=$build/app/vantro
[[ -x "$program" ]] || { echo "no program at $program (build the target vantro)" >&2; exit 1; }
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
    echo "needs Xvfb and xdotool (apt-get install xvfb xdotool)" >&2
    exit 1
}

tmp=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# A display number nobody uses.
for n in $(seq 91 199); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X${display#:} ]] && break
    sleep 0.1
done

mkdir -p "$tmp/config" "$tmp/state" "$tmp/data"
export DISPLAY=$display QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME=$tmp/config XDG_STATE_HOME=$tmp/state XDG_DATA_HOME=$tmp/data
"$program" >"$tmp/program.log" 2>&1 &
program_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$program_pid" | head -1)
[[ -n "$window" ]] || { echo "the program showed no window" >&2; exit 1; }
sleep 3 # let start-up settle

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$program_pid/stat"; }
# Prints "<ticks> <percent of one core>" for the next $seconds seconds.
measure() {
    local before after start end
    before=$(ticks)
    start=$(date +%s.%N)
    sleep "$seconds"
    after=$(ticks)
    end=$(date +%s.%N)
    awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" \
        'BEGIN { printf "%d %.2f\n", t, 100 * t / hz / (e - s) }'
}

read -r idle_ticks idle_percent < <(measure)

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers s
sleep 1
# The run is under way when its "Start:" line is in the protocol journal.
if ! grep -rqa "Start:" "$tmp/state"; then
    echo "the run did not start (no Start: line in the journal)" >&2
    exit 1
fi
read -r run_ticks run_percent < <(measure)

echo "idle between runs: $idle_ticks ticks in $seconds s ($idle_percent % of one core, $hz ticks a second)"
echo "run clock ticking: $run_ticks ticks in $seconds s ($run_percent % of one core)"
echo "BENCH clock.idle_cpu $idle_percent %"
echo "BENCH clock.run_cpu $run_percent %"
