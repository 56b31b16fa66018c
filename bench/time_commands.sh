#!/usr/bin/env bash
# Whole-process CPU times of the vantreel binary (start-up included), the
# figures the README reports, beside a static "hello world" as the floor of
# any process. Usage: bench/time_commands.sh [build-dir]   (needs perf)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build}")/app/vantreel
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU milliseconds (task-clock) of a command, averaged over N runs.
cpu_ms() {
  local runs=$1; shift
  perf stat -x, -e task-clock -r "$runs" "$@" 2>&1 >/dev/null | awk -F, '/task-clock/ { printf "%.2f ms CPU", $1 }'
}

printf '#include <cstdio>\nint main() { std::puts("hello"); }\n' >"$work/hello.cpp"
c++ -O2 -static "$work/hello.cpp" -o "$work/hello"
# 1,000 generated 11x11 puzzles: seeded one-thread c1 batches, 30 each.
for seed in $(seq 34); do
  mkdir "$work/batch$seed"
  (cd "$work/batch$seed" && VANTREEL_SEED=$seed OMP_NUM_THREADS=1 "$binary" c1 >/dev/null)
done
cat "$work"/batch*/*.dat | head -n 1000 >"$work/thousand_11x11.txt"
for _ in 1 2 3 4 5 6; do cat "$here/data/generated_24x18.txt"; done | head -n 1000 >"$work/thousand_23x17.txt"

echo "static hello world:                 $(cpu_ms 50 "$work/hello")"
echo "usage text:                         $(cpu_ms 50 "$binary")"
echo "d, 1000 generated 11x11 puzzles:    $(cpu_ms 20 "$binary" d "$work/thousand_11x11.txt")"
echo "d, 1000 generated 23x17 puzzles:    $(cpu_ms 10 "$binary" d "$work/thousand_23x17.txt")"
echo "s, the 126x126 board:               $(cpu_ms 10 "$binary" s "$here/data/largest_126x126.txt")"
cd "$work"
for size in 1 2 3; do
  echo "c$size (all cores, seed 1):             $(cpu_ms 1 env VANTREEL_SEED=1 "$binary" c$size)"
done
