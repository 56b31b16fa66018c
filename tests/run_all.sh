#!/usr/bin/env bash
# Builds and runs every test: the release build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and (where clang is
# installed with its fuzzer runtime and OpenMP) a short run of the puzzle line
# fuzzer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

echo "== release build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

echo "== sanitizer build, assertions live"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# RelWithDebInfo without its -DNDEBUG: the assertions run in this tree.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREEL_BENCH=OFF -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g"
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-sanitize --output-on-failure

# The fuzz stage builds the whole program with clang: it needs clang itself,
# its libFuzzer runtime and its OpenMP. Each is probed by a one-line program.
missing=()
probe=$(mktemp -d)
if ! command -v clang++ >/dev/null 2>&1; then
  missing+=(clang libclang-rt-dev libomp-dev)
else
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/fuzz.cpp"
  clang++ -fsanitize=fuzzer "$probe/fuzz.cpp" -o "$probe/fuzz" >/dev/null 2>&1 || missing+=(libclang-rt-dev)
  printf '#include <omp.h>\nint main() { return omp_get_max_threads() > 0 ? 0 : 1; }\n' >"$probe/omp.cpp"
  clang++ -fopenmp "$probe/omp.cpp" -o "$probe/omp" >/dev/null 2>&1 || missing+=(libomp-dev)
fi
rm -rf "$probe"

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "== fuzzing the puzzle line reader and solver for ${FUZZ_SECONDS:-60} s"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREEL_FUZZ=ON \
    -DVANTREEL_BENCH=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g"
  cmake --build build-fuzz -j"$jobs" --target puzzle_line_fuzz
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
  # One seed per line of every test file.
  for file in tests/data/*.txt tests/fuzz/regressions/*; do
    [[ -f "$file" ]] && split -l 1 -a 4 "$file" "$corpus/$(basename "$file")."
  done
  ./build-fuzz/tests/puzzle_line_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -max_len=20000 -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
else
  echo "== fuzzing skipped: install the Debian packages ${missing[*]}"
fi
echo "all tests passed"
