#!/usr/bin/env bash
# Whole-process timings of the vantreel binary (start-up included), the
# figures the README reports. Usage: bench/time_commands.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build}")/app/vantreel
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best and median wall time in milliseconds of a command run N times.
time_runs() {
  local runs=$1; shift
  for _ in $(seq "$runs"); do
    local start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    echo $(( ($(date +%s%N) - start) / 1000 ))
  done | sort -n | awk '{ t[NR] = $1 } END { printf "best %.1f ms, median %.1f ms\n", t[1] / 1000, t[int((NR + 1) / 2)] / 1000 }'
}

echo "usage text (whole process):         $(time_runs 30 "$binary")"
echo "d, 180 generated 23x17 puzzles:     $(time_runs 5 "$binary" d "$here/data/generated_24x18.txt")"
echo "s, the 126x126 board:               $(time_runs 5 "$binary" s "$here/data/largest_126x126.txt")"
for _ in 1 2 3 4 5; do cat "$here/data/generated_24x18.txt"; done | head -n 1000 >"$work/thousand.txt"
echo "d, 1000 generated 23x17 puzzles:    $(time_runs 3 "$binary" d "$work/thousand.txt")"
cd "$work"
for size in 1 2 3; do
  echo "c$size (all cores, seed 1):             $(time_runs 1 env VANTREEL_SEED=1 "$binary" c$size)"
done
